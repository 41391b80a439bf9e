// The window's language: applying it to every caption, and keeping it in
// the user's settings.
#include "app/main_window.h"
#include "app/swallowed.h"

#include "app/button_faces.h"
#include "app/captions.h"
#include "app/command_popups.h"
#include "app/company_panel.h"
#include "app/domain_menus.h"
#include "app/html_view.h"
#include "app/menu_bar.h"
#include "app/mine_panel.h"
#include "app/mnemonics.h"
#include "app/opportunity_panel.h"
#include "app/panel_parts.h"
#include "app/qt_texts.h"
#include "app/update_session.h"
#include "app/window_chrome.h"
#include "app/window_geometry.h"
#include "data/settings_store.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSplitter>

namespace dorvanta {

void TForm_Main::ApplyLanguage(Language code)
{
    state_.language = code;
    UseQtTextsOf(code);
    ApplyCaptions();
    chrome_->ApplyLanguage(code);
    Web_Help->setAccessibleName(QString::fromLatin1(CaptionsOf(code).helpPage));
    chrome_->SetStatus(QString::fromLatin1(CaptionsOf(code).welcome));
    companies_->ApplyLanguage();
    opportunities_->ApplyLanguage();
    minePanel_->ApplyLanguage();
    domainMenus_->Build(code);
    // Every popup item gets a mnemonic of the language's captions; the
    // command popups give theirs after "New business ads" is filled.
    popups_->ApplyLanguage(code);
    AssignMnemonics(domainMenus_->CompanyPopup());
    AssignMnemonics(domainMenus_->OpportunityPopup());
    if (updateSession_ != nullptr) {
        updateSession_->SetLanguage(code);
    }
}

void TForm_Main::ApplyCaptions()
{
    const bool english = state_.language == Language::EN;
    // Button faces: holders 1 to 8 of the language; the 7th is the search button's.
    const std::size_t base = english ? 0 : 8;
    std::vector<QPixmap> faces;
    for (std::size_t i = 0; i < 6; ++i) {
        faces.push_back(faceHolders_[base + i]->pixmap());
    }
    faces.push_back(faceHolders_[base + 7]->pixmap());
    menuBar_->ApplyLanguage(state_.language, faces);
    companies_->SetSearchFace(faceHolders_[base + 6]->pixmap());
    opportunities_->SetSearchFace(faceHolders_[base + 6]->pixmap());
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

void TForm_Main::RestoreWindowGeometry()
{
    const WindowGeometry stored = LoadWindowGeometry(*settings_);
    QList<QRect> screens;
    if (options_.workArea) {
        screens.append(options_.workArea());
    } else {
        for (const QScreen* screen : QGuiApplication::screens()) {
            screens.append(screen->availableGeometry());
        }
    }
    const QRect bounds = BoundsOnScreens(stored.bounds, screens);
    if (bounds.isValid()) {
        setGeometry(bounds);
    }
    const std::pair<const char*, int> splits[] = {{"Splitter_Companies", stored.companiesSplit},
                                                  {"Splitter_Internet", stored.internetSplit}};
    for (const auto& [name, first] : splits) {
        auto* splitter = findChild<QSplitter*>(QString::fromLatin1(name));
        if (splitter != nullptr && first > 0) {
            const int total = std::max(splitter->width(), width());
            splitter->setSizes({first, std::max(1, total - first)});
        }
    }
    if (stored.maximized && bounds.isValid()) {
        chrome_->ToggleMaximized();
    }
}

void TForm_Main::KeepWindowGeometry()
{
    WindowGeometry geometry;
    geometry.maximized = chrome_->Maximized();
    geometry.bounds = geometry.maximized ? chrome_->SavedBounds() : this->geometry();
    if (auto* splitter = findChild<QSplitter*>(QStringLiteral("Splitter_Companies"))) {
        geometry.companiesSplit = splitter->sizes().value(0);
    }
    if (auto* splitter = findChild<QSplitter*>(QStringLiteral("Splitter_Internet"))) {
        geometry.internetSplit = splitter->sizes().value(0);
    }
    SaveWindowGeometry(*settings_, geometry);
}

} // namespace dorvanta
