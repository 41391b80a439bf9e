#include "app/main_window.h"

#include "app/button_faces.h"
#include "app/captions.h"
#include "app/command_popups.h"
#include "app/company_page_frame.h"
#include "app/company_panel.h"
#include "app/domain_menus.h"
#include "app/focus_ring.h"
#include "app/font_substitutes.h"
#include "app/html_view.h"
#include "app/info_box.h"
#include "app/menu_bar.h"
#include "app/mine_layer.h"
#include "app/mine_panel.h"
#include "app/opportunity_panel.h"
#include "app/placeholders.h"
#include "app/qt_texts.h"
#include "app/update_session.h"
#include "app/window_chrome.h"
#include "app/windows1250.h"
#include "data/settings_store.h"
#include "mine/mine_store.h"
#include "platform/program_folder.h"
#include "platform/qt_settings_store.h"
#include "platform/user_settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <cmath>

namespace dorvanta {

TForm_Main::TForm_Main(const MainWindowOptions& options, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), options_(options)
{
    InstallFontSubstitutes();
    setObjectName(QStringLiteral("Form_Main"));
    setWindowTitle(QStringLiteral("Dorvanta Romania"));

    const QString folder =
        options_.programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : options_.programFolder;
    state_.programFolder = std::filesystem::path(folder.toStdU16String());
    if (options_.settings == nullptr) {
        ownSettings_ = options_.settingsFile.isEmpty()
                           ? OpenUserSettings()
                           : std::make_unique<QtSettingsStore>(
                                 std::filesystem::path(options_.settingsFile.toStdU16String()));
    }
    settings_ = options_.settings != nullptr ? options_.settings : ownSettings_.get();
    std::filesystem::path mineFile(options_.mineFile.toStdU16String());
    if (mineFile.empty()) {
        mineFile =
            options_.settingsFile.isEmpty()
                ? MineDatabaseFile()
                : std::filesystem::path(options_.settingsFile.toStdU16String()).parent_path() / kMineFileName;
    }
    mine_ = new MineLayer(mineFile, state_, this);

    // The desktop's font size decides the window's: 12 pixels at the usual
    // 9 points, larger with it.
    const double scale = FontScale();
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(static_cast<int>(std::lround(12 * scale)));
    setFont(font);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);
    setMinimumSize(static_cast<int>(600 * scale), static_cast<int>(400 * scale));

    new FocusRing(this);
    chrome_ = new WindowChrome(*this, options_.workArea);
    connect(mine_, &MineLayer::failed, chrome_, &WindowChrome::SetStatus);
    BuildMenuBar();
    BuildCenter();
    BuildFaceHolders();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(chrome_->TitleBar());
    layout->addWidget(menuBar_->Widget());
    layout->addWidget(Panel_Center, 1);
    layout->addWidget(chrome_->StatusBar());
    BuildPopups();
    BuildKeys();
    // The menus and the panels do not know each other: the window connects them.
    domainMenus_ = new DomainMenus(this, popups_->NewBusinessAds());
    connect(domainMenus_, &DomainMenus::companyDomainsChanged, companies_, &CompanyPanel::SetDomainEntries);
    connect(domainMenus_, &DomainMenus::opportunityDomainsChanged, opportunities_,
            &OpportunityPanel::SetDomainEntries);
    connect(domainMenus_, &DomainMenus::categoryChosen, companies_, &CompanyPanel::SearchCategory);
    connect(domainMenus_, &DomainMenus::adTypeChosen, opportunities_, &OpportunityPanel::SearchType);
    connect(domainMenus_, &DomainMenus::newAdsChosen, this, &TForm_Main::NewAdsItemClick);

    // All of the first window on its screen, however large the scale: a
    // title bar above the screen's top cannot be reached to move the window.
    const QRect available = chrome_->WorkArea();
    setMinimumSize(minimumSize().boundedTo(available.isValid() ? available.size() : minimumSize()));
    setGeometry(FirstWindowBounds(QSize(kClientWidth, kClientHeight), available));

    // The stored language and the captions and lists it gives.
    LoadLanguageSetting();
    popups_->LoadSearchOptions();
    ApplyLanguage(state_.language);
    companies_->FillSubdomains();
    RestoreWindowGeometry();
}

TForm_Main::~TForm_Main()
{
    // Before the lists' file closes with the window's other parts.
    companies_->PageFrame().SaveNote();
    minePanel_->PageFrame().SaveNote();
}

SettingsStore& TForm_Main::Settings()
{
    return *settings_;
}

bool TForm_Main::WindowMaximized() const
{
    return chrome_->Maximized();
}

QRect TForm_Main::SavedBounds() const
{
    return chrome_->SavedBounds();
}

const std::vector<std::int64_t>& TForm_Main::CompanyRecordNumbers() const
{
    return companies_->RecordNumbers();
}

const std::vector<std::int64_t>& TForm_Main::OpportunityRecordNumbers() const
{
    return opportunities_->RecordNumbers();
}

const std::vector<std::string>& TForm_Main::SubdomainCodes() const
{
    return companies_->SubdomainCodes();
}

void TForm_Main::Button_Companies_SearchClick()
{
    companies_->Search();
}

void TForm_Main::BuildMenuBar()
{
    menuBar_ = new MenuBar(*this);
    connect(menuBar_, &MenuBar::pressed, this, &TForm_Main::MenuButtonPressed);
    connect(menuBar_, &MenuBar::shortcutUsed, this, [this](MenuButton which) {
        if (which == MenuButton::Companies || which == MenuButton::Internet) {
            MenuButtonPressed(which, true);
            static_cast<SearchPanel*>(PanelInFront())->FocusSearchBox();
        } else if (which == MenuButton::Mine) {
            MenuButtonPressed(which, true);
            minePanel_->FocusList();
        } else {
            menuBar_->Button(which)->setFocus(Qt::ShortcutFocusReason);
            MenuButtonPressed(which, true);
        }
    });
    connect(menuBar_, &MenuBar::left, this, [this] {
        if (auto* panel = qobject_cast<SearchPanel*>(PanelInFront())) {
            panel->FocusSearchBox();
        } else if (PanelInFront() == minePanel_) {
            minePanel_->FocusList();
        } else {
            Web_Help->setFocus(Qt::OtherFocusReason);
        }
    });
}

void TForm_Main::BuildKeys()
{
    // F10 reaches the menu bar, as in other programs; F1 opens the help.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    menuKey->setObjectName(QStringLiteral("Shortcut_MenuBar"));
    connect(menuKey, &QShortcut::activated, menuBar_, &MenuBar::FocusFirst);
    popups_->Contents()->setShortcut(QKeySequence::HelpContents);
    addAction(popups_->Contents());
}

void TForm_Main::MenuButtonPressed(MenuButton which, bool byKeyboard)
{
    PictureButton* button = menuBar_->Button(which);
    switch (which) {
    case MenuButton::Companies:
        BringToFront(companies_, 1);
        break;
    case MenuButton::Internet:
        BringToFront(opportunities_, 2);
        break;
    case MenuButton::CompaniesDown:
        OpenPopup(domainMenus_->CompanyPopup(), PopupSlot::CompaniesDown, button, byKeyboard);
        break;
    case MenuButton::InternetDown:
        OpenPopup(domainMenus_->OpportunityPopup(), PopupSlot::InternetDown, button, byKeyboard);
        break;
    case MenuButton::Update:
        OpenPopup(popups_->Update(), PopupSlot::Update, button, byKeyboard);
        break;
    case MenuButton::Insert:
        OpenPopup(popups_->Insert(), PopupSlot::Insert, button, byKeyboard);
        break;
    case MenuButton::Settings:
        OpenPopup(popups_->Settings(), PopupSlot::Settings, button, byKeyboard);
        break;
    case MenuButton::Help:
        OpenPopup(popups_->Help(), PopupSlot::Help, button, byKeyboard);
        break;
    case MenuButton::Mine:
        BringToFront(minePanel_, 4);
        // Coming forward, it shows the lists as they are now.
        minePanel_->Refresh();
        break;
    }
}

void TForm_Main::BuildCenter()
{
    Panel_Center = new QStackedWidget(this);
    Panel_Center->setObjectName(QStringLiteral("Panel_Center"));

    // The help panel: the page between grey side bars, a black line below.
    Panel_Help = new QWidget(Panel_Center);
    Panel_Help->setObjectName(QStringLiteral("Panel_Help"));
    auto* helpColumn = new QVBoxLayout(Panel_Help);
    helpColumn->setContentsMargins(0, 0, 0, 0);
    helpColumn->setSpacing(0);
    auto* helpRow = new QHBoxLayout;
    helpRow->setSpacing(0);
    helpRow->addWidget(Strip(Panel_Help, kGrey, 3, 0));
    Web_Help = MakeView("Web_Help", Panel_Help);
    helpRow->addWidget(Web_Help, 1);
    helpRow->addWidget(Strip(Panel_Help, kGrey, 3, 0));
    helpColumn->addLayout(helpRow, 1);
    helpColumn->addWidget(Strip(Panel_Help, Qt::black, 0, 1));

    companies_ = new CompanyPanel(state_, *mine_, Panel_Center, settings_);
    opportunities_ = new OpportunityPanel(state_, Panel_Center);
    for (SearchPanel* panel : std::initializer_list<SearchPanel*>{companies_, opportunities_}) {
        connect(panel, &SearchPanel::statusChanged, this, [this, panel](const QString& text) {
            chrome_->SetStatus(text);
            searchStatus_[panel] = text;
        });
        connect(panel, &SearchPanel::resultWithdrawn, this, [this, panel] {
            if (!searchStatus_[panel].isEmpty() && chrome_->Status() == searchStatus_[panel]) {
                chrome_->SetStatus(QString());
            }
            searchStatus_[panel].clear();
        });
        connect(panel, &SearchPanel::searchBoxClicked, this, &TForm_Main::SearchBoxClicked);
    }
    connect(companies_, &SearchPanel::wantsFront, this, [this] { BringToFront(companies_, 1); });
    connect(opportunities_, &SearchPanel::wantsFront, this, [this] { BringToFront(opportunities_, 2); });

    Panel_Center->addWidget(Panel_Help);
    Panel_Center->addWidget(companies_);
    Panel_Center->addWidget(opportunities_);
    minePanel_ = new MinePanel(state_, *mine_, Panel_Center);
    connect(minePanel_, &MinePanel::statusChanged, chrome_, &WindowChrome::SetStatus);
    Panel_Center->addWidget(minePanel_);
    Panel_Center->setCurrentWidget(companies_);
}

void TForm_Main::BuildFaceHolders()
{
    // The button faces of both languages, kept in hidden holders so that a
    // language switch only swaps pictures.
    auto* container = new QWidget(this);
    container->setObjectName(QStringLiteral("Panel_Container"));
    container->hide();
    for (const char* language : {"EN", "RO"}) {
        for (int i = 1; i <= 8; ++i) {
            const QString suffix = QString::number(i) + QString::fromLatin1(language);
            auto* holder = new QLabel(container);
            holder->setObjectName(QStringLiteral("Image_") + suffix);
            const QSize size = i == 7 ? QSize(67, 20) : QSize(100, 31);
            holder->setPixmap(
                ResourcePicture(QStringLiteral("face_") + suffix + QStringLiteral(".png"), size));
            holder->resize(size);
            faceHolders_.push_back(holder);
        }
    }
}

void TForm_Main::SearchBoxClicked(QLineEdit* box)
{
    // A click into a box holding its placeholder (or nothing) empties it and
    // starts the criteria afresh: the company box resets the company
    // criteria, and a box then empty also the opportunity criteria.
    const std::string text = QStringToWindows1250(box->text());
    if (text.empty() || IsCompanyPlaceholder(text)) {
        box->clear();
        companies_->ResetCriteria();
    }
    // Looked at again: the step above may just have emptied the box.
    const std::string now = QStringToWindows1250(box->text());
    if (now.empty() || IsKeywordPlaceholder(now)) {
        box->clear();
        opportunities_->ResetCriteria();
    }
}

QWidget* TForm_Main::PanelInFront() const
{
    return Panel_Center->currentWidget();
}

void TForm_Main::BringToFront(QWidget* panel, int view)
{
    // The count of the other panel's search goes with that panel; the one in
    // front gets its own back.
    for (auto& [searched, status] : searchStatus_) {
        if (searched != panel && !status.isEmpty() && chrome_->Status() == status) {
            const auto own = searchStatus_.find(panel);
            chrome_->SetStatus(own != searchStatus_.end() ? own->second : QString());
            break;
        }
    }
    Panel_Center->setCurrentWidget(panel);
    currentView_ = view;
}

void TForm_Main::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A window coming back from the taskbar is not shown anew.
    if (!event->spontaneous()) {
        BringToFront(companies_, currentView_);
        // A new user starts typing at once: the keyboard begins in the name box.
        if (!state_.mainShown) {
            companies_->FocusSearchBox();
        }
        state_.mainShown = true;
    }
}

void TForm_Main::closeEvent(QCloseEvent* event)
{
    if (updateSession_ != nullptr && updateSession_->Running()) {
        if (!AskYesNo(this, QString::fromLatin1(CaptionsOf(state_.language).stopUpdate))) {
            event->ignore();
            return;
        }
        // Stopped here, so nothing the update still has to say outlives the window.
        updateSession_->CancelAndWait();
    }
    SaveLanguageSetting();
    companies_->PageFrame().SaveNote();
    minePanel_->PageFrame().SaveNote();
    KeepWindowGeometry();
    QWidget::closeEvent(event);
}

} // namespace dorvanta
