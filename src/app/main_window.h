#pragma once

#include "data/language.h"
#include "pages/pages.h"

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QStackedWidget;
class QTreeWidget;

namespace dorvanta {

class HtmlView;
enum class PopupSlot;
class PictureButton;
class SettingsStore;
class TForm_Update;

struct MainWindowOptions
{
    // Folder of the databases, icon/, Internet/ and Help/; empty: the executable's folder.
    QString programFolder;
    // Settings file of the stored language; empty: the user's ordinary settings.
    QString settingsFile;
    // The screen's work area used by maximise; empty: the screen's available geometry.
    std::function<QRect()> workArea;
};

// The main window "Form_Main": its own title bar, menu bar, three stacked
// panels and status bar. Handlers are named after the control and the event
// that start them, so each behaviour can be found from the control's name.
class TForm_Main : public QWidget
{
    Q_OBJECT

public:
    explicit TForm_Main(const MainWindowOptions& options = {}, QWidget* parent = nullptr);
    ~TForm_Main() override;

    // State the other windows and the tests read.
    Language CurrentLanguage() const { return currentLanguage_; }
    int CurrentView() const { return currentView_; }
    bool MainShown() const { return mainShown_; }
    bool WindowMaximized() const { return windowMaximized_; }
    QRect SavedBounds() const { return savedBounds_; }
    QWidget* PanelInFront() const;
    const std::filesystem::path& ProgramFolder() const { return programFolder_; }
    SettingsStore& Settings();
    const std::vector<std::int64_t>& CompanyRecordNumbers() const { return companyRecordNumbers_; }
    const std::vector<std::int64_t>& OpportunityRecordNumbers() const { return opportunityRecordNumbers_; }
    const std::vector<std::string>& SubdomainCodes() const { return subdomainCodes_; }

    // The update dialog is created after the main window, as at start-up.
    void SetUpdateForm(TForm_Update* form);
    // The update commands are unavailable while an update runs.
    void SetUpdateItemsEnabled(bool enabled);

    // Status line and gauge of the status bar; texts are core bytes.
    void SetStatus(const std::string& text);
    QProgressBar* StatusGauge() const { return Progress; }

    // Operations shared with the other windows.
    void ApplyLanguage(Language code);
    void BuildDomainMenus();
    void FillSubdomains();
    void LoadLanguageSetting();
    void SaveLanguageSetting();
    void ShowCompanyPage(std::int64_t recordNumber);
    void ShowOpportunityPage(std::int64_t recordNumber);

public slots:
    // Window and menu bar.
    void FormShow();
    void FormClose();
    void FormResize();
    void Button_Menu_CompaniesClick();
    void Button_Menu_InternetClick();
    void Button_Menu_Companies_DownClick();
    void SpeedButton5Click();
    void Button_Menu_UpdateClick();
    void Button_Menu_InsertClick();
    void Button_Menu_SettingsClick();
    void Button_Menu_HelpClick();
    void Button_Menu_RestoreClick();
    void Button_Menu_MinimizeClick();
    void Button_Menu_CloseClick();
    void English1Click();
    void Romana1Click();
    void AboutDorvanta1Click();

    // Search panels.
    void Button_Companies_SearchClick();
    void Button_Internet_SearchClick();
    void Edit_Companies_CompanyClick(QLineEdit* box);
    void ComboBox_Companies_DomainChange();
    void ListBox_CompaniesDblClick();
    void ListView_InternetDblClick();
    void CompanyMenuItemClick(QAction* item);
    void OpportunityMenuItemClick(QAction* item);
    void Web_CompaniesNavigateComplete2();
    void Web_InternetNavigateComplete2();

    // Help, submission pages, printing, update commands.
    void Content1Click();
    void Companiata1Click();
    void Yourbusinessadd1Click();
    void Yourbanner1Click();
    void Pint1Click();
    void NewAdsItemClick(QAction* item);
    void Allcompanies1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Construction, split by area (main_window.cpp).
    void BuildTitleBar();
    void BuildMenuBar();
    void BuildCenter();
    void BuildStatusBar();
    void BuildFaceHolders();
    QWidget* BuildCompaniesPanel();
    QWidget* BuildInternetPanel();
    void FormCreate();
    void BringToFront(QWidget* panel);

    // Menus (main_window_menus.cpp).
    void BuildPopups();
    void BuildCompanyDomainHalf();
    void BuildOpportunityDomainHalf();
    void ShowHelpPage(const char* englishFile, const char* romanianFile);
    std::vector<QPointer<QObject>>* HoldBackDuringUpdate();

    // Chrome (main_window_chrome.cpp).
    bool TitlePictureEvent(QEvent* event);
    bool GripEvent(QEvent* event);
    void OpenPopup(QMenu* popup, PopupSlot slot);
    void PlaceTitleButtons();
    void PlaceStatusBar();
    QRect WorkArea() const;

    // Search side (main_window_search.cpp).
    bool SearchBoxEvent(QObject* watched, QEvent* event);
    bool ResultListEvent(QObject* watched, QEvent* event);
    void ResetCompanyCriteria();
    void ResetOpportunityCriteria();

    // Language (main_window_language.cpp).
    void ApplyCaptions();
    void FitOpportunityTypeColumn();
    void LoadStartPage(HtmlView* view, const char* stem);

public:
    // Controls, named as their object names.
    QWidget* Panel_Top = nullptr;
    QLabel* Image_Center = nullptr;
    QLabel* Label1 = nullptr;
    PictureButton* Button_Menu_Minimize = nullptr;
    PictureButton* Button_Menu_Restore = nullptr;
    PictureButton* Button_Menu_Close = nullptr;

    QWidget* Panel_Menu = nullptr;
    QLabel* Image1 = nullptr;
    PictureButton* Button_Menu_Companies = nullptr;
    PictureButton* Button_Menu_Companies_Down = nullptr;
    PictureButton* Button_Menu_Internet = nullptr;
    PictureButton* SpeedButton5 = nullptr;
    PictureButton* Button_Menu_Update = nullptr;
    PictureButton* Button_Menu_Insert = nullptr;
    PictureButton* Button_Menu_Settings = nullptr;
    PictureButton* Button_Menu_Help = nullptr;

    QStackedWidget* Panel_Center = nullptr;
    QWidget* Panel_Help = nullptr;
    HtmlView* Web_Help = nullptr;

    QWidget* Panel_Companies = nullptr;
    QWidget* Panel_Companies_Left = nullptr;
    QLabel* Panel_Companies_Search = nullptr;
    QLabel* Label_Companies_Company = nullptr;
    QLabel* Label_Companies_Domain = nullptr;
    QLabel* Label_Companies_SubDomain = nullptr;
    QLabel* Label_Companies_Locality = nullptr;
    QLabel* Label_Companies_Type = nullptr;
    QLineEdit* Edit_Companies_Company = nullptr;
    QComboBox* ComboBox_Companies_Domain = nullptr;
    QComboBox* ComboBox_Companies_Subdomain = nullptr;
    QComboBox* ComboBox_Companies_Locality = nullptr;
    QComboBox* ComboBox_Companies_Type = nullptr;
    PictureButton* Button_Companies_Search = nullptr;
    QTreeWidget* ListView_Companies = nullptr;
    HtmlView* Web_Companies = nullptr;

    QWidget* Panel_Internet = nullptr;
    QWidget* Panel_Internet_Left = nullptr;
    QLabel* Panel_Internet_Search = nullptr;
    QLabel* Label_Internet_Keywords = nullptr;
    QLabel* Label_Internet_Domain = nullptr;
    QLabel* Label_Internet_Locality = nullptr;
    QLabel* Label_Internet_Type = nullptr;
    QLineEdit* Edit_Internet_Company = nullptr;
    QComboBox* ComboBox_Internet_Domain = nullptr;
    QComboBox* ComboBox_Internet_Locality = nullptr;
    QComboBox* ComboBox_Internet_Type = nullptr;
    PictureButton* Button_Internet_Search = nullptr;
    QTreeWidget* ListView_Internet = nullptr;
    HtmlView* Web_Internet = nullptr;

    QWidget* Panel_Bottom = nullptr;
    QLabel* Image_Bottom = nullptr;
    QLabel* Label_Status = nullptr;
    QProgressBar* Progress = nullptr;
    QLabel* Image_Ancora = nullptr;

    QWidget* Panel_Container = nullptr;
    // Image_1EN ... Image_7EN, then Image_1RO ... Image_7RO.
    std::vector<QLabel*> faceHolders_;

    QMenu* Popup_Companies_Down = nullptr;
    QMenu* Popup_Internet_Down = nullptr;
    QMenu* Popup_Update = nullptr;
    QMenu* NewCompanies1 = nullptr;
    QAction* Allcompanies1 = nullptr;
    QMenu* Newbusinessads1 = nullptr;
    QMenu* Popup_Insert = nullptr;
    QAction* Companiata1 = nullptr;
    QAction* Yourbusinessadd1 = nullptr;
    QAction* N2 = nullptr;
    QAction* Yourbanner1 = nullptr;
    QMenu* Popup_Settings = nullptr;
    QMenu* Language1 = nullptr;
    QAction* English1 = nullptr;
    QAction* Romana1 = nullptr;
    QAction* Pint1 = nullptr;
    QMenu* Popup_Help = nullptr;
    QAction* Content1 = nullptr;
    QAction* AboutDorvanta1 = nullptr;

private:
    MainWindowOptions options_;
    std::filesystem::path programFolder_;
    std::unique_ptr<SettingsStore> settings_;
    TForm_Update* updateForm_ = nullptr;
    bool updateItemsEnabled_ = true;
    // Menu items replaced while an update runs, deleted once it has ended.
    std::vector<QPointer<QObject>> heldBackMenuItems_;

    Language currentLanguage_ = Language::EN;
    int currentView_ = 1;
    bool mainShown_ = false;
    bool windowMaximized_ = false;
    QRect savedBounds_{0, 0, 0, 0};

    std::vector<std::int64_t> companyRecordNumbers_;
    std::vector<std::int64_t> opportunityRecordNumbers_;
    std::vector<std::string> subdomainCodes_;
    BannerNumbers banners_;

    // Moving by hand where the window system cannot move the window itself.
    bool manualMove_ = false;
    QPoint moveOffset_;
};

} // namespace dorvanta
