// The window's language: applying it to every caption, and keeping it in
// the user's settings.
#include "app/main_window.h"
#include "app/swallowed.h"

#include "app/button_faces.h"
#include "app/captions.h"
#include "app/company_panel.h"
#include "app/domain_menus.h"
#include "app/opportunity_panel.h"
#include "app/panel_parts.h"
#include "app/qt_texts.h"
#include "app/update_session.h"
#include "app/window_chrome.h"
#include "data/settings_store.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

namespace dorvanta {

void TForm_Main::ApplyLanguage(Language code)
{
    state_.language = code;
    UseQtTextsOf(code);
    ApplyCaptions();
    chrome_->SetStatus(QString::fromLatin1(CaptionsOf(code).welcome));
    companies_->ApplyLanguage();
    opportunities_->ApplyLanguage();
    domainMenus_->Build(code);
    if (updateSession_ != nullptr) {
        updateSession_->SetLanguage(code);
    }
}

void TForm_Main::ApplyCaptions()
{
    const bool english = state_.language == Language::EN;
    const Captions& c = CaptionsOf(state_.language);
    // Button faces: holders 1 to 7 of the language.
    const std::size_t base = english ? 0 : 7;
    PictureButton* const faced[] = {Button_Menu_Companies, Button_Menu_Internet, Button_Menu_Update,
                                    Button_Menu_Insert,    Button_Menu_Settings, Button_Menu_Help};
    for (std::size_t i = 0; i < std::size(faced); ++i) {
        faced[i]->SetPicture(faceHolders_[base + i]->pixmap());
    }
    companies_->SetSearchFace(faceHolders_[base + 6]->pixmap());
    opportunities_->SetSearchFace(faceHolders_[base + 6]->pixmap());

    NewCompanies1->setTitle(QString::fromLatin1(c.newCompanies));
    Newbusinessads1->setTitle(QString::fromLatin1(c.newBusinessAds));
    ImportRegister1->setText(QString::fromLatin1(c.importRegister));
    Companiata1->setText(QString::fromLatin1(c.yourCompany));
    Yourbusinessadd1->setText(QString::fromLatin1(c.yourBusinessAd));
    Yourbanner1->setText(QString::fromLatin1(c.yourBanner));
    SaveAsPdf1->setText(QString::fromLatin1(c.saveAsPdf));
    Allcompanies1->setText(QString::fromLatin1(c.allCompanies));
    findChild<QMenu*>(QStringLiteral("Language1"))->setTitle(QString::fromLatin1(c.language));
    findChild<QAction*>(QStringLiteral("English1"))->setText(QString::fromLatin1(c.english));
    findChild<QAction*>(QStringLiteral("Pint1"))->setText(QString::fromLatin1(c.print));
    ApplySearchOptionCaptions();
    Content1->setText(QString::fromLatin1(c.content));
    AboutDorvanta1->setText(QString::fromLatin1(c.about));
}

void TForm_Main::LoadLanguageSetting()
{
    // Anything but exactly "RO", a missing value or a store that cannot be
    // read starts the program in English.
    try {
        const std::optional<std::string> stored = settings_->ReadString(kSettingsKey, kLanguageValue);
        state_.language = NormaliseLanguage(stored.value_or(std::string{}));
    } catch (...) {
        WarnSwallowed("reading the language setting");
        state_.language = Language::EN;
    }
}

void TForm_Main::SaveLanguageSetting()
{
    try {
        settings_->WriteString(kSettingsKey, kLanguageValue, LanguageCode(state_.language));
    } catch (...) {
        // The previous stored value stays; closing goes on.
        WarnSwallowed("storing the language setting");
    }
}

} // namespace dorvanta
