#include "app/command_popups.h"

#include "app/button_faces.h"
#include "app/captions.h"
#include "app/mnemonics.h"
#include "app/panel_parts.h"
#include "app/swallowed.h"
#include "app/window_state.h"
#include "data/settings_store.h"

#include <QAction>
#include <QMenu>
#include <QSignalBlocker>

#include <string_view>

namespace dorvanta {

namespace {

constexpr std::string_view kIgnoreDiacriticsValue = "IgnoreDiacritics";
constexpr std::string_view kSearchAsYouTypeValue = "SearchAsYouType";

template <typename T> T* Named(T* object, const char* name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

// A submenu whose item and menu both carry the name, so either can be found by it.
QMenu* AddNamedMenu(QMenu* parent, const char* name, int icon, const char* caption)
{
    QMenu* menu = parent->addMenu(MenuIcon(icon), QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

bool ReadOption(SettingsStore& settings, std::string_view name)
{
    try {
        return settings.ReadString(kSettingsKey, name).value_or(std::string{}) == "1";
    } catch (...) {
        WarnSwallowed("reading a search option");
        return false;
    }
}

void WriteOption(SettingsStore& settings, std::string_view name, bool on)
{
    try {
        settings.WriteString(kSettingsKey, name, on ? "1" : "0");
    } catch (...) {
        // The option holds for this run; the stored value stays as it was.
        WarnSwallowed("storing a search option");
    }
}

} // namespace

CommandPopups::CommandPopups(QWidget* window, WindowState& state, SettingsStore& settings)
    : QObject(window), state_(state), settings_(settings)
{
    Popup_Update = Named(new QMenu(window), "Popup_Update");
    NewCompanies1 = AddNamedMenu(Popup_Update, "NewCompanies1", 12, "New Companies");
    Allcompanies1 =
        Named(NewCompanies1->addAction(MenuIcon(5), QStringLiteral("All companies")), "Allcompanies1");
    connect(Allcompanies1, &QAction::triggered, this, &CommandPopups::allCompaniesChosen);
    Newbusinessads1 = AddNamedMenu(Popup_Update, "Newbusinessads1", 12, "New business ads");
    Popup_Update->addSeparator();
    ImportRegister1 =
        Named(Popup_Update->addAction(MenuIcon(5), QStringLiteral("Import from the trade register...")),
              "ImportRegister1");
    connect(ImportRegister1, &QAction::triggered, this, &CommandPopups::importRegisterChosen);

    Popup_Insert = Named(new QMenu(window), "Popup_Insert");
    Companiata1 = Named(Popup_Insert->addAction(MenuIcon(10), QStringLiteral("Your company")), "Companiata1");
    Yourbusinessadd1 =
        Named(Popup_Insert->addAction(MenuIcon(10), QStringLiteral("Your business ad")), "Yourbusinessadd1");
    Named(Popup_Insert->addSeparator(), "N2");
    Yourbanner1 = Named(Popup_Insert->addAction(MenuIcon(11), QStringLiteral("Your banner")), "Yourbanner1");
    connect(Companiata1, &QAction::triggered, this,
            [this] { emit helpPageChosen("einserare_companie.htm", "inserare_companie.htm"); });
    connect(Yourbusinessadd1, &QAction::triggered, this,
            [this] { emit helpPageChosen("eanunt.htm", "anunt.htm"); });
    connect(Yourbanner1, &QAction::triggered, this,
            [this] { emit helpPageChosen("ebanner.htm", "banner.htm"); });

    Popup_Settings = Named(new QMenu(window), "Popup_Settings");
    Language1 = AddNamedMenu(Popup_Settings, "Language1", 9, "Language");
    English1 = Named(Language1->addAction(MenuIcon(9), QStringLiteral("English")), "English1");
    QAction* romanian = Named(Language1->addAction(MenuIcon(9), QStringLiteral("Romana")), "Romana1");
    Pint1 = Named(Popup_Settings->addAction(MenuIcon(15), QStringLiteral("Print")), "Pint1");
    SaveAsPdf1 =
        Named(Popup_Settings->addAction(MenuIcon(15), QStringLiteral("Save as PDF...")), "SaveAsPdf1");
    connect(English1, &QAction::triggered, this, [this] { emit languageChosen(Language::EN); });
    connect(romanian, &QAction::triggered, this, [this] { emit languageChosen(Language::RO); });
    connect(Pint1, &QAction::triggered, this, &CommandPopups::printChosen);
    connect(SaveAsPdf1, &QAction::triggered, this, &CommandPopups::saveAsPdfChosen);
    BuildSearchOptions();

    Popup_Help = Named(new QMenu(window), "Popup_Help");
    Content1 = Named(Popup_Help->addAction(MenuIcon(13), QStringLiteral("Content")), "Content1");
    Popup_Help->addSeparator();
    AboutDorvanta1 = Named(Popup_Help->addAction(MenuIcon(14), QStringLiteral("About")), "AboutDorvanta1");
    connect(Content1, &QAction::triggered, this,
            [this] { emit helpPageChosen("index_en.htm", "index_ro.htm"); });
    connect(AboutDorvanta1, &QAction::triggered, this, &CommandPopups::aboutChosen);
}

void CommandPopups::BuildSearchOptions()
{
    Popup_Settings->addSeparator();
    const auto add = [this](const char* name, bool& option, std::string_view value) {
        QAction* action = Popup_Settings->addAction(QString::fromLatin1(name));
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        connect(action, &QAction::toggled, this, [this, &option, value](bool on) {
            option = on;
            WriteOption(settings_, value, on);
        });
        return action;
    };
    IgnoreDiacritics1 = add("IgnoreDiacritics1", state_.ignoreDiacritics, kIgnoreDiacriticsValue);
    SearchAsYouType1 = add("SearchAsYouType1", state_.searchAsYouType, kSearchAsYouTypeValue);
}

void CommandPopups::LoadSearchOptions()
{
    state_.ignoreDiacritics = ReadOption(settings_, kIgnoreDiacriticsValue);
    state_.searchAsYouType = ReadOption(settings_, kSearchAsYouTypeValue);
    // Shown without storing again what was just read.
    const QSignalBlocker ignoreBlocker(IgnoreDiacritics1);
    const QSignalBlocker typeBlocker(SearchAsYouType1);
    IgnoreDiacritics1->setChecked(state_.ignoreDiacritics);
    SearchAsYouType1->setChecked(state_.searchAsYouType);
}

void CommandPopups::ApplyLanguage(Language language)
{
    const Captions& c = CaptionsOf(language);
    NewCompanies1->setTitle(QString::fromLatin1(c.newCompanies));
    Newbusinessads1->setTitle(QString::fromLatin1(c.newBusinessAds));
    ImportRegister1->setText(QString::fromLatin1(c.importRegister));
    Companiata1->setText(QString::fromLatin1(c.yourCompany));
    Yourbusinessadd1->setText(QString::fromLatin1(c.yourBusinessAd));
    Yourbanner1->setText(QString::fromLatin1(c.yourBanner));
    SaveAsPdf1->setText(QString::fromLatin1(c.saveAsPdf));
    Allcompanies1->setText(QString::fromLatin1(c.allCompanies));
    Language1->setTitle(QString::fromLatin1(c.language));
    English1->setText(QString::fromLatin1(c.english));
    Pint1->setText(QString::fromLatin1(c.print));
    IgnoreDiacritics1->setText(QString::fromLatin1(c.ignoreDiacritics));
    SearchAsYouType1->setText(QString::fromLatin1(c.searchAsYouType));
    Content1->setText(QString::fromLatin1(c.content));
    AboutDorvanta1->setText(QString::fromLatin1(c.about));
    // "New business ads" is filled anew by the domain menus before this, so
    // its items get their mnemonics too.
    for (QMenu* popup : {Popup_Update, Popup_Insert, Popup_Settings, Popup_Help}) {
        AssignMnemonics(popup);
    }
}

void CommandPopups::SetUpdateItemsEnabled(bool enabled)
{
    Allcompanies1->setEnabled(enabled);
    ImportRegister1->setEnabled(enabled);
}

} // namespace dorvanta
