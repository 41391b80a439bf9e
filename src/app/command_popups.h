#pragma once

#include "data/language.h"

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace dorvanta {

class SettingsStore;
struct WindowState;

// The four command popups of the menu bar (Update, Insert, Settings, Help)
// and their items, named as their object names. Choosing an item emits the
// command; the window carries it out. The two search options of the
// Settings popup are kept here: switched, they go into the window's state
// and are stored at once, as "1" or "0".
class CommandPopups : public QObject
{
    Q_OBJECT

public:
    // The popups are children of `window`, so they carry its style and can be
    // found by their names; `state` takes the search options.
    CommandPopups(QWidget* window, WindowState& state, SettingsStore& settings);

    QMenu* Update() const { return Popup_Update; }
    QMenu* Insert() const { return Popup_Insert; }
    QMenu* Settings() const { return Popup_Settings; }
    QMenu* Help() const { return Popup_Help; }
    // "New business ads", filled with the groups by the domain menus.
    QMenu* NewBusinessAds() const { return Newbusinessads1; }
    // "Content", which F1 also reaches.
    QAction* Contents() const { return Content1; }

    void ApplyLanguage(Language language);
    // The stored search options; a value missing or unreadable leaves one off.
    void LoadSearchOptions();
    // The update items, unavailable while an update runs.
    void SetUpdateItemsEnabled(bool enabled);

signals:
    void allCompaniesChosen();
    void importRegisterChosen();
    // A page of the help folder, by its English and Romanian file names.
    void helpPageChosen(const char* englishFile, const char* romanianFile);
    void languageChosen(Language language);
    void printChosen();
    void saveAsPdfChosen();
    void aboutChosen();

private:
    void BuildSearchOptions();

    WindowState& state_;
    SettingsStore& settings_;

    QMenu* Popup_Update = nullptr;
    QMenu* NewCompanies1 = nullptr;
    QAction* Allcompanies1 = nullptr;
    QMenu* Newbusinessads1 = nullptr;
    QAction* ImportRegister1 = nullptr;
    QMenu* Popup_Insert = nullptr;
    QAction* Companiata1 = nullptr;
    QAction* Yourbusinessadd1 = nullptr;
    QAction* Yourbanner1 = nullptr;
    QMenu* Popup_Settings = nullptr;
    QMenu* Language1 = nullptr;
    QAction* English1 = nullptr;
    QAction* Pint1 = nullptr;
    QAction* SaveAsPdf1 = nullptr;
    QAction* IgnoreDiacritics1 = nullptr;
    QAction* SearchAsYouType1 = nullptr;
    QMenu* Popup_Help = nullptr;
    QAction* Content1 = nullptr;
    QAction* AboutDorvanta1 = nullptr;
};

} // namespace dorvanta
