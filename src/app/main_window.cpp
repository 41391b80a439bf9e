#include "app/main_window.h"

#include "app/button_faces.h"
#include "app/font_substitutes.h"
#include "app/html_view.h"
#include "app/windows1250.h"
#include "data/code_tables.h"
#include "platform/qt_settings_store.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QSplitter>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dorvanta {

namespace {

const QColor kBlue(49, 117, 255);
const QColor kBackground(222, 223, 222);
const QColor kOlive(128, 128, 64);
const QColor kBoxFill(201, 196, 186);
const QColor kGrey(112, 112, 112);

constexpr int kClientWidth = 800;
constexpr int kClientHeight = 578;
constexpr int kBoxHeight = 21;

// A solid strip used for the bars and lines that frame the lists and pages.
QWidget* Strip(QWidget* parent, const QColor& colour, int width, int height)
{
    auto* strip = new QWidget(parent);
    strip->setAutoFillBackground(true);
    QPalette palette = strip->palette();
    palette.setColor(QPalette::Window, colour);
    strip->setPalette(palette);
    if (width > 0) {
        strip->setFixedWidth(width);
    }
    if (height > 0) {
        strip->setFixedHeight(height);
    }
    return strip;
}

// The olive frame every criteria box sits in. A drop-down list is placed past
// the frame's inner area on every side, so its own sunken border is clipped
// away and only the one-pixel olive line shows.
class BoxFrame : public QWidget
{
public:
    BoxFrame(QWidget* control, bool clipBorder, QWidget* parent)
        : QWidget(parent), clip_(new QWidget(this)), control_(control), clipBorder_(clipBorder)
    {
        control_->setParent(clip_);
        setFixedHeight(kBoxHeight);
        setMinimumWidth(60);
    }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        const QRect inner(1, 1, width() - 2, height() - 2);
        clip_->setGeometry(inner);
        if (clipBorder_) {
            control_->setGeometry(-2, -2, inner.width() + 4, inner.height() + 4);
        } else {
            control_->setGeometry(0, 0, inner.width(), inner.height());
        }
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), kBoxFill);
        painter.setPen(kOlive);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    QWidget* clip_;
    QWidget* control_;
    bool clipBorder_;
};

void PaintBox(QWidget* control)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, kBoxFill);
    palette.setColor(QPalette::Button, kBoxFill);
    palette.setColor(QPalette::Window, kBoxFill);
    control->setPalette(palette);
}

QLineEdit* MakeEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFrame(false);
    edit->setTextMargins(3, 0, 0, 0);
    PaintBox(edit);
    return edit;
}

QComboBox* MakeCombo(const char* name, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setMaxVisibleItems(24);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    PaintBox(combo);
    return combo;
}

QLabel* MakeLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLabel* MakeHeader(const char* name, QWidget* parent)
{
    auto* header = new QLabel(parent);
    header->setObjectName(QString::fromLatin1(name));
    header->setFixedHeight(22);
    header->setIndent(8);
    header->setAutoFillBackground(true);
    QPalette palette = header->palette();
    palette.setColor(QPalette::Window, kOlive);
    palette.setColor(QPalette::WindowText, Qt::white);
    header->setPalette(palette);
    QFont font = header->font();
    font.setBold(true);
    header->setFont(font);
    return header;
}

QTreeWidget* MakeResultList(const char* name, QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setColumnCount(2);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setFrameShape(QFrame::NoFrame);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    list->header()->setMinimumSectionSize(16);
    list->header()->resizeSection(0, 20);
    return list;
}

// A result list between two olive lines, with a grey bar on its left.
QWidget* FramedList(QTreeWidget* list, QWidget* parent)
{
    auto* frame = new QWidget(parent);
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Strip(frame, kOlive, 0, 2));
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(Strip(frame, kGrey, 3, 0));
    list->setParent(frame);
    row->addWidget(list);
    column->addLayout(row, 1);
    column->addWidget(Strip(frame, kOlive, 0, 2));
    return frame;
}

// A page view with a grey bar on its right and an olive line below.
QWidget* FramedView(HtmlView* view, QWidget* parent)
{
    auto* frame = new QWidget(parent);
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    view->setParent(frame);
    row->addWidget(view, 1);
    row->addWidget(Strip(frame, kGrey, 3, 0));
    column->addLayout(row, 1);
    column->addWidget(Strip(frame, kOlive, 0, 2));
    return frame;
}

QSplitter* MakeSplitter(const char* name, QWidget* parent)
{
    auto* splitter = new QSplitter(Qt::Horizontal, parent);
    splitter->setObjectName(QString::fromLatin1(name));
    splitter->setHandleWidth(2);
    splitter->setChildrenCollapsible(false);
    splitter->setStyleSheet(QStringLiteral("QSplitter::handle { background: rgb(112,112,112); }"));
    return splitter;
}

void AddCriteriaRow(QGridLayout* grid, int row, QLabel* label, QWidget* box)
{
    grid->addWidget(label, row, 0, Qt::AlignVCenter);
    grid->addWidget(box, row, 1);
}

// What both search panels are made of: a splitter holding the criteria column
// (header, labelled boxes, search button, result list) and the page view.
struct SearchPanelParts
{
    SearchPanelParts(const char* panelName, const char* splitterName, const char* leftName, QWidget* parent)
        : panel(new QWidget(parent))
    {
        panel->setObjectName(QString::fromLatin1(panelName));
        auto* panelLayout = new QHBoxLayout(panel);
        panelLayout->setContentsMargins(0, 0, 0, 0);
        splitter = MakeSplitter(splitterName, panel);
        panelLayout->addWidget(splitter);

        left = new QWidget(splitter);
        left->setObjectName(QString::fromLatin1(leftName));
        left->setMinimumWidth(275);
        column = new QVBoxLayout(left);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);

        criteria = new QWidget(left);
        grid = new QGridLayout(criteria);
        grid->setContentsMargins(10, 8, 10, 8);
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(5);
        grid->setColumnStretch(1, 1);
    }

    void AddRow(QLabel* label, QLineEdit* edit)
    {
        AddCriteriaRow(grid, rows++, label, new BoxFrame(edit, false, criteria));
    }
    void AddRow(QLabel* label, QComboBox* box)
    {
        AddCriteriaRow(grid, rows++, label, new BoxFrame(box, true, criteria));
    }

    PictureButton* AddSearchButton(const char* name)
    {
        auto* button = new PictureButton(criteria);
        button->setObjectName(QString::fromLatin1(name));
        button->setFixedSize(67, 20);
        button->setCursor(Qt::PointingHandCursor);
        grid->addWidget(button, rows++, 1, Qt::AlignRight);
        return button;
    }

    void Finish(QTreeWidget* list, HtmlView* view)
    {
        column->addWidget(header);
        column->addWidget(criteria);
        column->addWidget(FramedList(list, left), 1);
        splitter->addWidget(left);
        splitter->addWidget(FramedView(view, splitter));
        splitter->setStretchFactor(0, 0);
        splitter->setStretchFactor(1, 1);
        splitter->setSizes({275, kClientWidth - 277});
    }

    QWidget* panel;
    QSplitter* splitter = nullptr;
    QWidget* left = nullptr;
    QLabel* header = nullptr;
    QWidget* criteria = nullptr;
    QVBoxLayout* column = nullptr;
    QGridLayout* grid = nullptr;
    int rows = 0;
};

} // namespace

TForm_Main::TForm_Main(const MainWindowOptions& options, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), options_(options)
{
    InstallFontSubstitutes();
    setObjectName(QStringLiteral("Form_Main"));
    setWindowTitle(QStringLiteral("Dorvanta Romania"));

    const QString folder =
        options_.programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : options_.programFolder;
    programFolder_ = std::filesystem::path(folder.toStdU16String());
    if (options_.settingsFile.isEmpty()) {
        settings_ = std::make_unique<QtSettingsStore>();
    } else {
        settings_ =
            std::make_unique<QtSettingsStore>(std::filesystem::path(options_.settingsFile.toStdU16String()));
    }

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    setFont(font);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);
    setMinimumSize(600, 400);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildTitleBar();
    BuildMenuBar();
    BuildCenter();
    BuildStatusBar();
    BuildFaceHolders();
    layout->addWidget(Panel_Top);
    layout->addWidget(Panel_Menu);
    layout->addWidget(Panel_Center, 1);
    layout->addWidget(Panel_Bottom);
    BuildPopups();

    resize(kClientWidth, kClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->availableGeometry();
        move(desktop.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
    }

    FormCreate();
}

TForm_Main::~TForm_Main() = default;

SettingsStore& TForm_Main::Settings()
{
    return *settings_;
}

void TForm_Main::BuildTitleBar()
{
    Panel_Top = new QWidget(this);
    Panel_Top->setObjectName(QStringLiteral("Panel_Top"));
    Panel_Top->setFixedHeight(20);
    Panel_Top->setAutoFillBackground(true);
    QPalette palette = Panel_Top->palette();
    palette.setColor(QPalette::Window, kBlue);
    Panel_Top->setPalette(palette);
    Panel_Top->installEventFilter(this);

    Image_Center = new QLabel(Panel_Top);
    Image_Center->setObjectName(QStringLiteral("Image_Center"));
    Image_Center->setPixmap(ResourcePicture(QStringLiteral("title_bar.jpg")));
    Image_Center->setGeometry(0, 0, 2000, 20);
    Image_Center->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image_Center->installEventFilter(this);

    Label1 = new QLabel(QStringLiteral("Dorvanta Romania"), Panel_Top);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(13);
    font.setBold(true);
    Label1->setFont(font);
    QPalette labelPalette = Label1->palette();
    labelPalette.setColor(QPalette::WindowText, Qt::white);
    Label1->setPalette(labelPalette);
    Label1->setAttribute(Qt::WA_TranslucentBackground);
    Label1->adjustSize();
    Label1->move(8, (20 - Label1->height()) / 2);

    auto makeGlyph = [this](const char* name, const char* picture, void (TForm_Main::*handler)()) {
        auto* button = new PictureButton(Panel_Top);
        button->setObjectName(QString::fromLatin1(name));
        button->SetPicture(ResourcePicture(QString::fromLatin1(picture), QSize(17, 17)));
        button->resize(17, 17);
        connect(button, &QAbstractButton::clicked, this, handler);
        return button;
    };
    Button_Menu_Minimize =
        makeGlyph("Button_Menu_Minimize", "glyph_minimize.png", &TForm_Main::Button_Menu_MinimizeClick);
    Button_Menu_Restore =
        makeGlyph("Button_Menu_Restore", "glyph_restore.png", &TForm_Main::Button_Menu_RestoreClick);
    Button_Menu_Close =
        makeGlyph("Button_Menu_Close", "glyph_close.png", &TForm_Main::Button_Menu_CloseClick);
    PlaceTitleButtons();
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

    Image1 = new QLabel(Panel_Menu);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(ResourcePicture(QStringLiteral("menu_bar.jpg")));
    Image1->setGeometry(0, 0, 2000, 30);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto makeButton = [this](const char* name, int x, int width, void (TForm_Main::*handler)()) {
        auto* button = new PictureButton(Panel_Menu);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(x, 2, width, 27);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QAbstractButton::clicked, this, handler);
        return button;
    };
    Button_Menu_Companies =
        makeButton("Button_Menu_Companies", 10, 99, &TForm_Main::Button_Menu_CompaniesClick);
    Button_Menu_Companies_Down =
        makeButton("Button_Menu_Companies_Down", 110, 17, &TForm_Main::Button_Menu_Companies_DownClick);
    Button_Menu_Internet =
        makeButton("Button_Menu_Internet", 137, 99, &TForm_Main::Button_Menu_InternetClick);
    SpeedButton5 = makeButton("SpeedButton5", 237, 17, &TForm_Main::SpeedButton5Click);
    Button_Menu_Update = makeButton("Button_Menu_Update", 266, 99, &TForm_Main::Button_Menu_UpdateClick);
    Button_Menu_Insert = makeButton("Button_Menu_Insert", 376, 99, &TForm_Main::Button_Menu_InsertClick);
    Button_Menu_Settings =
        makeButton("Button_Menu_Settings", 486, 99, &TForm_Main::Button_Menu_SettingsClick);
    Button_Menu_Help = makeButton("Button_Menu_Help", 596, 99, &TForm_Main::Button_Menu_HelpClick);

    const QPixmap arrow = ResourcePicture(QStringLiteral("arrow_down.png"), QSize(17, 27));
    Button_Menu_Companies_Down->SetPicture(arrow);
    SpeedButton5->SetPicture(arrow);
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
    Web_Help = new HtmlView(Panel_Help);
    Web_Help->setObjectName(QStringLiteral("Web_Help"));
    helpRow->addWidget(Web_Help, 1);
    helpRow->addWidget(Strip(Panel_Help, kGrey, 3, 0));
    helpColumn->addLayout(helpRow, 1);
    helpColumn->addWidget(Strip(Panel_Help, Qt::black, 0, 1));

    Panel_Companies = BuildCompaniesPanel();
    Panel_Internet = BuildInternetPanel();

    Panel_Center->addWidget(Panel_Help);
    Panel_Center->addWidget(Panel_Companies);
    Panel_Center->addWidget(Panel_Internet);
    Panel_Center->setCurrentWidget(Panel_Companies);
}

QWidget* TForm_Main::BuildCompaniesPanel()
{
    SearchPanelParts parts("Panel_Companies", "Splitter_Companies", "Panel_Companies_Left", Panel_Center);
    Panel_Companies_Left = parts.left;
    Panel_Companies_Search = parts.header = MakeHeader("Panel_Companies_Search", parts.left);
    Label_Companies_Company = MakeLabel("Label_Companies_Company", parts.criteria);
    Label_Companies_Domain = MakeLabel("Label_Companies_Domain", parts.criteria);
    Label_Companies_SubDomain = MakeLabel("Label_Companies_SubDomain", parts.criteria);
    Label_Companies_Locality = MakeLabel("Label_Companies_Locality", parts.criteria);
    Label_Companies_Type = MakeLabel("Label_Companies_Type", parts.criteria);
    Edit_Companies_Company = MakeEdit("Edit_Companies_Company", parts.criteria);
    ComboBox_Companies_Domain = MakeCombo("ComboBox_Companies_Domain", parts.criteria);
    ComboBox_Companies_Subdomain = MakeCombo("ComboBox_Companies_Subdomain", parts.criteria);
    ComboBox_Companies_Locality = MakeCombo("ComboBox_Companies_Locality", parts.criteria);
    ComboBox_Companies_Type = MakeCombo("ComboBox_Companies_Type", parts.criteria);
    parts.AddRow(Label_Companies_Company, Edit_Companies_Company);
    parts.AddRow(Label_Companies_Domain, ComboBox_Companies_Domain);
    parts.AddRow(Label_Companies_SubDomain, ComboBox_Companies_Subdomain);
    parts.AddRow(Label_Companies_Locality, ComboBox_Companies_Locality);
    parts.AddRow(Label_Companies_Type, ComboBox_Companies_Type);
    Button_Companies_Search = parts.AddSearchButton("Button_Companies_Search");
    ListView_Companies = MakeResultList("ListView_Companies", parts.left);
    Web_Companies = new HtmlView(parts.splitter);
    Web_Companies->setObjectName(QStringLiteral("Web_Companies"));
    parts.Finish(ListView_Companies, Web_Companies);

    ComboBox_Companies_Locality->addItems(Windows1250ToQStringList(CountyBoxItems()));

    Edit_Companies_Company->installEventFilter(this);
    connect(Edit_Companies_Company, &QLineEdit::returnPressed, this,
            &TForm_Main::Button_Companies_SearchClick);
    connect(Button_Companies_Search, &QAbstractButton::clicked, this,
            &TForm_Main::Button_Companies_SearchClick);
    connect(ComboBox_Companies_Domain, &QComboBox::activated, this,
            &TForm_Main::ComboBox_Companies_DomainChange);
    ListView_Companies->installEventFilter(this);
    ListView_Companies->viewport()->installEventFilter(this);
    connect(Web_Companies, &HtmlView::navigationComplete, this, &TForm_Main::Web_CompaniesNavigateComplete2);
    return parts.panel;
}

QWidget* TForm_Main::BuildInternetPanel()
{
    SearchPanelParts parts("Panel_Internet", "Splitter_Internet", "Panel_Internet_Left", Panel_Center);
    Panel_Internet_Left = parts.left;
    Panel_Internet_Search = parts.header = MakeHeader("Panel_Internet_Search", parts.left);
    Label_Internet_Keywords = MakeLabel("Label_Internet_Keywords", parts.criteria);
    Label_Internet_Domain = MakeLabel("Label_Internet_Domain", parts.criteria);
    Label_Internet_Locality = MakeLabel("Label_Internet_Locality", parts.criteria);
    Label_Internet_Type = MakeLabel("Label_Internet_Type", parts.criteria);
    Edit_Internet_Company = MakeEdit("Edit_Internet_Company", parts.criteria);
    ComboBox_Internet_Domain = MakeCombo("ComboBox_Internet_Domain", parts.criteria);
    ComboBox_Internet_Locality = MakeCombo("ComboBox_Internet_Locality", parts.criteria);
    ComboBox_Internet_Type = MakeCombo("ComboBox_Internet_Type", parts.criteria);
    parts.AddRow(Label_Internet_Keywords, Edit_Internet_Company);
    parts.AddRow(Label_Internet_Domain, ComboBox_Internet_Domain);
    parts.AddRow(Label_Internet_Locality, ComboBox_Internet_Locality);
    parts.AddRow(Label_Internet_Type, ComboBox_Internet_Type);
    Button_Internet_Search = parts.AddSearchButton("Button_Internet_Search");
    ListView_Internet = MakeResultList("ListView_Internet", parts.left);
    Web_Internet = new HtmlView(parts.splitter);
    Web_Internet->setObjectName(QStringLiteral("Web_Internet"));
    parts.Finish(ListView_Internet, Web_Internet);

    ComboBox_Internet_Locality->addItems(Windows1250ToQStringList(CountyBoxItems()));

    Edit_Internet_Company->installEventFilter(this);
    connect(Edit_Internet_Company, &QLineEdit::returnPressed, this, &TForm_Main::Button_Internet_SearchClick);
    connect(Button_Internet_Search, &QAbstractButton::clicked, this,
            &TForm_Main::Button_Internet_SearchClick);
    ListView_Internet->installEventFilter(this);
    ListView_Internet->viewport()->installEventFilter(this);
    connect(ListView_Internet, &QTreeWidget::itemDoubleClicked, this, &TForm_Main::ListView_InternetDblClick);
    connect(Web_Internet, &HtmlView::navigationComplete, this, &TForm_Main::Web_InternetNavigateComplete2);
    return parts.panel;
}

void TForm_Main::BuildStatusBar()
{
    Panel_Bottom = new QWidget(this);
    Panel_Bottom->setObjectName(QStringLiteral("Panel_Bottom"));
    Panel_Bottom->setFixedHeight(17);
    Panel_Bottom->installEventFilter(this);

    Image_Bottom = new QLabel(Panel_Bottom);
    Image_Bottom->setObjectName(QStringLiteral("Image_Bottom"));
    Image_Bottom->setPixmap(ResourcePicture(QStringLiteral("status_bar.jpg")));
    Image_Bottom->setGeometry(0, 0, 2000, 17);
    Image_Bottom->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label_Status = new QLabel(Panel_Bottom);
    Label_Status->setObjectName(QStringLiteral("Label_Status"));
    Label_Status->setAttribute(Qt::WA_TranslucentBackground);
    Label_Status->setGeometry(12, 0, 260, 17);
    Label_Status->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    Progress = new QProgressBar(Panel_Bottom);
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->setGeometry(275, 2, 508, 13);
    Progress->setTextVisible(false);
    Progress->hide();
    Progress->installEventFilter(this);

    Image_Ancora = new QLabel(Panel_Bottom);
    Image_Ancora->setObjectName(QStringLiteral("Image_Ancora"));
    Image_Ancora->setPixmap(ResourcePicture(QStringLiteral("grip.jpg"), QSize(17, 15)));
    Image_Ancora->resize(17, 15);
    Image_Ancora->setCursor(Qt::SizeFDiagCursor);
    Image_Ancora->installEventFilter(this);
    PlaceStatusBar();
}

void TForm_Main::BuildFaceHolders()
{
    // The button faces of both languages, kept in hidden holders so that a
    // language switch only swaps pictures.
    Panel_Container = new QWidget(this);
    Panel_Container->setObjectName(QStringLiteral("Panel_Container"));
    Panel_Container->hide();
    for (const char* language : {"EN", "RO"}) {
        for (int i = 1; i <= 7; ++i) {
            const QString suffix = QString::number(i) + QString::fromLatin1(language);
            auto* holder = new QLabel(Panel_Container);
            holder->setObjectName(QStringLiteral("Image_") + suffix);
            const QSize size = i == 7 ? QSize(67, 20) : QSize(100, 31);
            holder->setPixmap(
                ResourcePicture(QStringLiteral("face_") + suffix + QStringLiteral(".png"), size));
            holder->resize(size);
            faceHolders_.push_back(holder);
        }
    }
}

void TForm_Main::FormCreate()
{
    // The members start empty, in English and on the company panel; the
    // stored language and the captions and lists it gives come from here.
    LoadLanguageSetting();
    ApplyLanguage(currentLanguage_);
    BuildDomainMenus();
    FillSubdomains();
}

void TForm_Main::FormShow()
{
    BringToFront(Panel_Companies);
    mainShown_ = true;
}

void TForm_Main::FormClose()
{
    SaveLanguageSetting();
}

void TForm_Main::FormResize()
{
    for (QTreeWidget* list : {ListView_Companies, ListView_Internet}) {
        if (list == nullptr) {
            continue;
        }
        const int first = list->header()->sectionSize(0);
        list->header()->resizeSection(1, std::max(0, list->width() - first - 16));
    }
}

QWidget* TForm_Main::PanelInFront() const
{
    return Panel_Center->currentWidget();
}

void TForm_Main::BringToFront(QWidget* panel)
{
    Panel_Center->setCurrentWidget(panel);
}

void TForm_Main::Button_Menu_CompaniesClick()
{
    BringToFront(Panel_Companies);
    currentView_ = 1;
}

void TForm_Main::Button_Menu_InternetClick()
{
    BringToFront(Panel_Internet);
    currentView_ = 2;
}

void TForm_Main::SetStatus(const std::string& text)
{
    Label_Status->setText(Windows1250ToQString(text));
}

void TForm_Main::SetUpdateForm(TForm_Update* form)
{
    updateForm_ = form;
}

void TForm_Main::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A window coming back from the taskbar is not shown anew.
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TForm_Main::closeEvent(QCloseEvent* event)
{
    FormClose();
    QWidget::closeEvent(event);
}

void TForm_Main::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

bool TForm_Main::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image_Center) {
        return TitlePictureEvent(event);
    }
    if (watched == Image_Ancora) {
        return GripEvent(event);
    }
    const QEvent::Type type = event->type();
    if ((type == QEvent::Resize && watched == Panel_Bottom) ||
        ((type == QEvent::Show || type == QEvent::Hide) && watched == Progress)) {
        PlaceStatusBar();
    } else if (type == QEvent::Resize && watched == Panel_Top) {
        PlaceTitleButtons();
    } else if (type == QEvent::Resize && (watched == ListView_Companies || watched == ListView_Internet)) {
        FormResize();
    }
    if (watched == Edit_Companies_Company || watched == Edit_Internet_Company) {
        return SearchBoxEvent(watched, event);
    }
    if (watched == ListView_Companies || watched == ListView_Internet ||
        (ListView_Companies && watched == ListView_Companies->viewport()) ||
        (ListView_Internet && watched == ListView_Internet->viewport())) {
        return ResultListEvent(watched, event);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace dorvanta
