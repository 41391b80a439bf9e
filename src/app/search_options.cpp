// The search options of the Settings popup: "Ignore diacritics" and "Search
// as you type". Each is stored as soon as it is switched, as "1" or "0"; a
// value that is missing or cannot be read leaves the option off.
#include "app/captions.h"
#include "app/main_window.h"
#include "app/swallowed.h"
#include "data/settings_store.h"

#include <QAction>
#include <QMenu>

#include <string_view>

namespace dorvanta {

namespace {

constexpr std::string_view kIgnoreDiacriticsValue = "IgnoreDiacritics";
constexpr std::string_view kSearchAsYouTypeValue = "SearchAsYouType";

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

void TForm_Main::BuildSearchOptions()
{
    Popup_Settings->addSeparator();
    const auto add = [this](const char* name, bool& option, std::string_view value) {
        QAction* action = Popup_Settings->addAction(QString::fromLatin1(name));
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        connect(action, &QAction::toggled, this, [this, &option, value](bool on) {
            option = on;
            WriteOption(*settings_, value, on);
        });
        return action;
    };
    IgnoreDiacritics1 = add("IgnoreDiacritics1", state_.ignoreDiacritics, kIgnoreDiacriticsValue);
    SearchAsYouType1 = add("SearchAsYouType1", state_.searchAsYouType, kSearchAsYouTypeValue);
}

void TForm_Main::LoadSearchOptions()
{
    state_.ignoreDiacritics = ReadOption(*settings_, kIgnoreDiacriticsValue);
    state_.searchAsYouType = ReadOption(*settings_, kSearchAsYouTypeValue);
    // Shown without storing again what was just read.
    const QSignalBlocker ignoreBlocker(IgnoreDiacritics1);
    const QSignalBlocker typeBlocker(SearchAsYouType1);
    IgnoreDiacritics1->setChecked(state_.ignoreDiacritics);
    SearchAsYouType1->setChecked(state_.searchAsYouType);
}

void TForm_Main::ApplySearchOptionCaptions()
{
    const Captions& c = CaptionsOf(state_.language);
    IgnoreDiacritics1->setText(QString::fromLatin1(c.ignoreDiacritics));
    SearchAsYouType1->setText(QString::fromLatin1(c.searchAsYouType));
}

} // namespace dorvanta
