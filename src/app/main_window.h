#pragma once

#include "app/panel_parts.h"
#include "app/window_state.h"
#include "data/language.h"

#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QStackedWidget;

namespace dorvanta {

class CommandPopups;
class CompanyPanel;
class DomainMenus;
class HtmlView;
class MenuBar;
class MineLayer;
class OpportunityPanel;
class PictureButton;
class SettingsStore;
class TForm_Update;
class UpdateSession;
class WindowChrome;
enum class PopupSlot;
enum class MenuButton;

struct MainWindowOptions
{
    // Folder of the databases, icon/, Internet/ and Help/; empty: the executable's folder.
    QString programFolder;
    // The user's settings (the stored language and search options), owned by
    // the caller and outliving the window; null: the window opens its own,
    // from `settingsFile`.
    SettingsStore* settings = nullptr;
    // Settings file of the stored language when `settings` is null; empty:
    // the user's ordinary settings.
    QString settingsFile;
    // The screen's work area used by maximise; empty: the screen's available geometry.
    std::function<QRect()> workArea;
    // The user's lists and notes; empty: beside `settingsFile` when that is
    // given, else beside the user's ordinary settings.
    QString mineFile;
};

// The main window "Form_Main": it lays out its rooms (the chrome, the menu
// bar, the help page and the two search panels), routes language changes to
// them and wires the menu bar's popups to their commands.
class TForm_Main : public QWidget
{
    Q_OBJECT

public:
    explicit TForm_Main(const MainWindowOptions& options = {}, QWidget* parent = nullptr);
    ~TForm_Main() override;

    // State the other windows and the tests read.
    Language CurrentLanguage() const { return state_.language; }
    int CurrentView() const { return currentView_; }
    bool MainShown() const { return state_.mainShown; }
    bool WindowMaximized() const;
    QRect SavedBounds() const;
    QWidget* PanelInFront() const;
    const std::filesystem::path& ProgramFolder() const { return state_.programFolder; }
    SettingsStore& Settings();
    // The user's lists, notes and history (it may be unavailable: see MineLayer).
    MineLayer& Mine() { return *mine_; }
    const std::vector<std::int64_t>& CompanyRecordNumbers() const;
    const std::vector<std::int64_t>& OpportunityRecordNumbers() const;
    const std::vector<std::string>& SubdomainCodes() const;

    // The update session and dialog are created after the main window, as at
    // start-up; the window observes the session: gauge, status line, boxes,
    // and the update commands unavailable while an update runs.
    void SetUpdateSession(UpdateSession* session, TForm_Update* form);

    void ApplyLanguage(Language code);
    void LoadLanguageSetting();
    void SaveLanguageSetting();
    // Size, place, maximised state and splitters as the window last closed,
    // on the screens present (main_window_language.cpp).
    void RestoreWindowGeometry();
    void KeepWindowGeometry();

    // The company search of the panel's button (the start-up timing runs it).
    void Button_Companies_SearchClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction (main_window.cpp).
    void BuildMenuBar();
    void BuildCenter();
    void BuildFaceHolders();
    void BuildKeys();
    void ApplyCaptions();
    void BringToFront(QWidget* panel, int view);
    void SearchBoxClicked(QLineEdit* box);

    // Popups and their commands (main_window_commands.cpp).
    void BuildPopups();
    void MenuButtonPressed(MenuButton which, bool byKeyboard);
    void OpenPopup(QMenu* popup, PopupSlot slot, const QWidget* button, bool byKeyboard);
    void ShowHelpPage(const char* englishFile, const char* romanianFile);
    HtmlView* ViewInFront();
    void Pint1Click();
    void SaveAsPdfClick();
    void AboutDorvanta1Click();
    void NewAdsItemClick(QAction* item);
    void Allcompanies1Click();
    void ImportRegister1Click();
    void SetUpdateItemsEnabled(bool enabled);

    MainWindowOptions options_;
    WindowState state_;
    std::unique_ptr<SettingsStore> ownSettings_; // when the caller gave none
    SettingsStore* settings_ = nullptr;
    MineLayer* mine_ = nullptr;
    WindowChrome* chrome_ = nullptr;
    CompanyPanel* companies_ = nullptr;
    OpportunityPanel* opportunities_ = nullptr;
    DomainMenus* domainMenus_ = nullptr;
    UpdateSession* updateSession_ = nullptr;
    TForm_Update* updateForm_ = nullptr;
    int currentView_ = 1;
    // The status each search panel last gave, so a count stays with its panel.
    std::map<const QWidget*, QString> searchStatus_;

    // Controls, named as their object names.
    MenuBar* menuBar_ = nullptr;
    CommandPopups* popups_ = nullptr;
    QStackedWidget* Panel_Center = nullptr;
    QWidget* Panel_Help = nullptr;
    HtmlView* Web_Help = nullptr;
    // Image_1EN ... Image_7EN, then Image_1RO ... Image_7RO.
    std::vector<QLabel*> faceHolders_;
};

} // namespace dorvanta
