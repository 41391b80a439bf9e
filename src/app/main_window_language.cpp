// The interface language: switching every caption, list and picture of the
// main window, and the stored choice.
#include "app/main_window.h"

#include "app/button_faces.h"
#include "app/html_view.h"
#include "app/windows1250.h"
#include "data/code_tables.h"
#include "data/record_file.h"
#include "search/placeholders.h"
#include "update/settings_store.h"

#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace dorvanta {

namespace {

struct Captions
{
    const char* companiesSearch;
    const char* internetSearch;
    const char* company;
    const char* county;
    const char* domain;
    const char* section;
    const char* type;
    const char* subject;
    const char* keywords;
    const char* newCompanies;
    const char* newBusinessAds;
    const char* yourCompany;
    const char* yourBusinessAd;
    const char* yourBanner;
    const char* content;
    const char* about;
};

constexpr Captions kEnglish{"Companies search",
                            "Opportunities search",
                            "Company",
                            "County",
                            "Domain",
                            "Section",
                            "Type",
                            "Subject",
                            "Keywords",
                            "New companies",
                            "New business ads",
                            "Your company",
                            "Your business ad",
                            "Your banner",
                            "Content",
                            "About"};
constexpr Captions kRomanian{"Cautare companii",
                             "Cautare oportunitati",
                             "Companie",
                             "Judet",
                             "Domeniu",
                             "Sectiune",
                             "Tip",
                             "Subiect",
                             "Cuvant",
                             "Noi companii",
                             "Noi oportunitati",
                             "Compania ta",
                             "Anuntul tau",
                             "Adauga banner",
                             "Continut",
                             "Despre"};

QString Latin(const char* text)
{
    return QString::fromLatin1(text);
}

void SetPlaceholder(QLineEdit* box, std::string_view newPlaceholder, std::string_view otherPlaceholder)
{
    const std::string text = QStringToWindows1250(box->text());
    const std::string_view after = PlaceholderAfterSwitch(text, newPlaceholder, otherPlaceholder);
    if (after != text) {
        box->setText(Windows1250ToQString(after));
    }
}

void Refill(QComboBox* box, const std::vector<std::string>& items)
{
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItems(Windows1250ToQStringList(items));
    box->setCurrentIndex(0);
}

} // namespace

void TForm_Main::ApplyLanguage(Language code)
{
    currentLanguage_ = code;
    ApplyCaptions();
    LoadStartPage(Web_Companies, "companies_");
    LoadStartPage(Web_Internet, "opportunities_");
    BuildDomainMenus();
}

void TForm_Main::ApplyCaptions()
{
    const bool english = currentLanguage_ == Language::EN;
    const Captions& c = english ? kEnglish : kRomanian;

    // Button faces: holders 1 to 7 of the language.
    const std::size_t base = english ? 0 : 7;
    PictureButton* const faced[] = {Button_Menu_Companies, Button_Menu_Internet, Button_Menu_Update,
                                    Button_Menu_Insert,    Button_Menu_Settings, Button_Menu_Help};
    for (std::size_t i = 0; i < std::size(faced); ++i) {
        faced[i]->SetPicture(faceHolders_[base + i]->pixmap());
    }
    Button_Companies_Search->SetPicture(faceHolders_[base + 6]->pixmap());
    Button_Internet_Search->SetPicture(faceHolders_[base + 6]->pixmap());

    Label_Status->setText(QStringLiteral("Welcome to Dorvanta"));
    Panel_Companies_Search->setText(Latin(c.companiesSearch));
    Panel_Internet_Search->setText(Latin(c.internetSearch));
    Label_Companies_Company->setText(Latin(c.company));
    Label_Companies_Locality->setText(Latin(c.county));
    Label_Companies_Domain->setText(Latin(c.domain));
    Label_Companies_SubDomain->setText(Latin(c.section));
    Label_Companies_Type->setText(Latin(c.type));
    ListView_Companies->setHeaderLabels({Latin(c.type), Latin(c.company)});
    Label_Internet_Keywords->setText(Latin(c.keywords));
    Label_Internet_Domain->setText(Latin(c.domain));
    Label_Internet_Locality->setText(Latin(c.county));
    Label_Internet_Type->setText(Latin(c.type));
    ListView_Internet->setHeaderLabels({Latin(c.type), Latin(c.subject)});
    FitOpportunityTypeColumn();

    const Language other = english ? Language::RO : Language::EN;
    SetPlaceholder(Edit_Companies_Company, CompanyPlaceholder(currentLanguage_), CompanyPlaceholder(other));
    SetPlaceholder(Edit_Internet_Company, KeywordPlaceholder(currentLanguage_), KeywordPlaceholder(other));

    Refill(ComboBox_Companies_Type, CompanyTypeBoxItems(currentLanguage_));
    Refill(ComboBox_Internet_Type, AdTypeBoxItems(currentLanguage_));

    NewCompanies1->setTitle(Latin(c.newCompanies));
    Newbusinessads1->setTitle(Latin(c.newBusinessAds));
    Companiata1->setText(Latin(c.yourCompany));
    Yourbusinessadd1->setText(Latin(c.yourBusinessAd));
    Yourbanner1->setText(Latin(c.yourBanner));
    Content1->setText(Latin(c.content));
    AboutDorvanta1->setText(Latin(c.about));
}

void TForm_Main::FitOpportunityTypeColumn()
{
    // The company list's type is one letter and fits its 20 pixels; the ad
    // list shows whole words ("Request", "Servicii"), which 20 pixels would
    // cut to an ellipsis, so its first column is as wide as its longest word.
    const QFontMetrics metrics(ListView_Internet->font());
    int widest = 20;
    for (const AdType& type : kAdTypes) {
        const std::string_view word = Pick(currentLanguage_, type.wordEnglish, type.wordRomanian);
        widest = std::max(widest, metrics.horizontalAdvance(Windows1250ToQString(word)) + 14);
    }
    ListView_Internet->header()->resizeSection(0, widest);
    FormResize();
}

void TForm_Main::LoadStartPage(HtmlView* view, const char* stem)
{
    // A missing page leaves the view as it was; a failure on one panel does
    // not keep the other from loading.
    try {
        const std::filesystem::path internet = ResolveFile(programFolder_, "Internet");
        const std::string name = std::string(stem) + std::string(LanguageCode(currentLanguage_)) + ".htm";
        const std::filesystem::path page = ResolveFile(internet, name);
        std::error_code ec;
        if (std::filesystem::is_regular_file(page, ec)) {
            view->NavigateToFile(QString::fromStdU16String(page.u16string()));
        }
    } catch (...) {
    }
}

void TForm_Main::English1Click()
{
    ApplyLanguage(Language::EN);
}

void TForm_Main::Romana1Click()
{
    ApplyLanguage(Language::RO);
}

void TForm_Main::LoadLanguageSetting()
{
    // Anything but exactly "RO", a missing value or a store that cannot be
    // read starts the program in English.
    try {
        const std::optional<std::string> stored = settings_->ReadString(kSettingsKey, kLanguageValue);
        currentLanguage_ = NormaliseLanguage(stored.value_or(std::string{}));
    } catch (...) {
        currentLanguage_ = Language::EN;
    }
}

void TForm_Main::SaveLanguageSetting()
{
    try {
        settings_->WriteString(kSettingsKey, kLanguageValue, LanguageCode(currentLanguage_));
    } catch (...) {
        // The previous stored value stays; closing goes on.
    }
}

} // namespace dorvanta
