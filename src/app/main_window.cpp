#include "app/main_window.h"

#include "app/button_faces.h"
#include "app/captions.h"
#include "app/company_panel.h"
#include "app/domain_menus.h"
#include "app/font_substitutes.h"
#include "app/html_view.h"
#include "app/info_box.h"
#include "app/opportunity_panel.h"
#include "app/placeholders.h"
#include "app/qt_texts.h"
#include "app/update_session.h"
#include "app/window_chrome.h"
#include "app/windows1250.h"
#include "data/settings_store.h"
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
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

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

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    setFont(font);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);
    setMinimumSize(600, 400);

    chrome_ = new WindowChrome(*this, options_.workArea);
    BuildMenuBar();
    BuildCenter();
    BuildFaceHolders();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(chrome_->TitleBar());
    layout->addWidget(Panel_Menu);
    layout->addWidget(Panel_Center, 1);
    layout->addWidget(chrome_->StatusBar());
    BuildPopups();
    domainMenus_ = new DomainMenus(this, Newbusinessads1, *companies_, *opportunities_);
    connect(domainMenus_, &DomainMenus::newAdsChosen, this, &TForm_Main::NewAdsItemClick);

    // All of the first window on its screen, however large the scale: a
    // title bar above the screen's top cannot be reached to move the window.
    const QRect available = chrome_->WorkArea();
    setMinimumSize(minimumSize().boundedTo(available.isValid() ? available.size() : minimumSize()));
    setGeometry(FirstWindowBounds(QSize(kClientWidth, kClientHeight), available));

    // The stored language and the captions and lists it gives.
    LoadLanguageSetting();
    LoadSearchOptions();
    ApplyLanguage(state_.language);
    companies_->FillSubdomains();
}

TForm_Main::~TForm_Main() = default;

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
    Panel_Menu = new QWidget(this);
    Panel_Menu->setObjectName(QStringLiteral("Panel_Menu"));
    Panel_Menu->setFixedHeight(30);
    Panel_Menu->setAutoFillBackground(true);
    QPalette palette = Panel_Menu->palette();
    palette.setColor(QPalette::Window, kBlue);
    Panel_Menu->setPalette(palette);
    Panel_Menu->installEventFilter(this);

    auto* picture = new QLabel(Panel_Menu);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(ResourcePicture(QStringLiteral("menu_bar.jpg")));
    picture->setGeometry(0, 0, 2000, 30);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto makeButton = [this](const char* name, auto handler) {
        auto* button = new PictureButton(Panel_Menu);
        button->setObjectName(QString::fromLatin1(name));
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QAbstractButton::clicked, this, handler);
        menuButtons_.push_back(button);
        return button;
    };
    Button_Menu_Companies = makeButton("Button_Menu_Companies", [this] { BringToFront(companies_, 1); });
    Button_Menu_Companies_Down = makeButton("Button_Menu_Companies_Down", [this] {
        OpenPopup(domainMenus_->CompanyPopup(), PopupSlot::CompaniesDown, Button_Menu_Companies_Down);
    });
    Button_Menu_Internet = makeButton("Button_Menu_Internet", [this] { BringToFront(opportunities_, 2); });
    SpeedButton5 = makeButton("SpeedButton5", [this] {
        OpenPopup(domainMenus_->OpportunityPopup(), PopupSlot::InternetDown, SpeedButton5);
    });
    Button_Menu_Update = makeButton(
        "Button_Menu_Update", [this] { OpenPopup(Popup_Update, PopupSlot::Update, Button_Menu_Update); });
    Button_Menu_Insert = makeButton(
        "Button_Menu_Insert", [this] { OpenPopup(Popup_Insert, PopupSlot::Insert, Button_Menu_Insert); });
    Button_Menu_Settings = makeButton("Button_Menu_Settings", [this] {
        OpenPopup(Popup_Settings, PopupSlot::Settings, Button_Menu_Settings);
    });
    Button_Menu_Help =
        makeButton("Button_Menu_Help", [this] { OpenPopup(Popup_Help, PopupSlot::Help, Button_Menu_Help); });

    const QPixmap arrow = ResourcePicture(QStringLiteral("arrow_down.png"), QSize(17, 27));
    Button_Menu_Companies_Down->SetPicture(arrow);
    SpeedButton5->SetPicture(arrow);
    PlaceMenuButtons();
}

void TForm_Main::PlaceMenuButtons()
{
    // Faces 99 pixels wide at 10, 137, 266, 376, 486 and 596, each arrow just
    // right of its face. A window too narrow for that takes the gaps in and
    // narrows the faces (they lose their plain edges first), so every command
    // stays on screen down to the smallest window.
    constexpr int kFaces = 6;
    constexpr int kArrow = 17;
    const int width = Panel_Menu->width();
    const bool roomy = width >= 705;
    const int face = roomy ? 99 : std::max(40, (width - 10 - 2 * kArrow - 2 - 5 * 3 - 5) / kFaces);
    const int gapAfterArrow[] = {10, 12};
    const int gap = roomy ? 11 : 3;
    int x = 10;
    int arrows = 0;
    for (PictureButton* button : menuButtons_) {
        const bool arrow = button == Button_Menu_Companies_Down || button == SpeedButton5;
        button->setGeometry(x, 2, arrow ? kArrow : face, 27);
        if (arrow) {
            x += kArrow + (roomy ? gapAfterArrow[arrows++] : gap);
        } else {
            const bool arrowFollows = button == Button_Menu_Companies || button == Button_Menu_Internet;
            x += face + (arrowFollows ? 1 : gap);
        }
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

    companies_ = new CompanyPanel(state_, Panel_Center);
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
        for (int i = 1; i <= 7; ++i) {
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
    QWidget::closeEvent(event);
}

bool TForm_Main::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Panel_Menu && event->type() == QEvent::Resize) {
        PlaceMenuButtons();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace dorvanta
