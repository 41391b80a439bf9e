// The window's own chrome: moving by the title-bar picture, maximise and
// restore, the size grip, minimise, close, and the status bar.
#include "app/window_chrome.h"

#include "app/button_faces.h"
#include "app/captions.h"
#include "app/panel_parts.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <array>

namespace dorvanta {

QPoint PopupPosition(PopupSlot slot, int windowLeft, int windowTop, int menuBarHeight)
{
    // Offsets from the window's left edge, one per popup button.
    static constexpr std::array<int, 6> kOffsets = {15, 142, 270, 377, 484, 593};
    const int offset = kOffsets[static_cast<std::size_t>(slot)];
    const int x = windowLeft > 0 ? windowLeft + offset : offset - 3;
    return {x, windowTop + 20 + menuBarHeight};
}

QRect GripReleaseBounds(const QRect& saved, QPoint cursor, QSize minimum)
{
    const int height = std::max(cursor.y() - saved.top() + 7, minimum.height());
    const int width = std::max(cursor.x() - saved.left() + 7, minimum.width());
    return {saved.left(), saved.top(), width, height};
}

WindowChrome::WindowChrome(QWidget& window, std::function<QRect()> workArea)
    : QObject(&window), window_(window), workArea_(std::move(workArea))
{
    BuildTitleBar();
    BuildStatusBar();
}

void WindowChrome::BuildTitleBar()
{
    Panel_Top = new QWidget(&window_);
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

    auto* title = new QLabel(QStringLiteral("Dorvanta Romania"), Panel_Top);
    title->setObjectName(QStringLiteral("Label1"));
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(13);
    font.setBold(true);
    title->setFont(font);
    QPalette labelPalette = title->palette();
    labelPalette.setColor(QPalette::WindowText, Qt::white);
    title->setPalette(labelPalette);
    title->setAttribute(Qt::WA_TranslucentBackground);
    title->adjustSize();
    title->move(8, (20 - title->height()) / 2);

    auto makeGlyph = [this](const char* name, const char* picture) {
        auto* button = new PictureButton(Panel_Top);
        button->setObjectName(QString::fromLatin1(name));
        button->SetPicture(ResourcePicture(QString::fromLatin1(picture), QSize(17, 17)));
        button->resize(17, 17);
        return button;
    };
    Button_Menu_Minimize = makeGlyph("Button_Menu_Minimize", "glyph_minimize.png");
    Button_Menu_Restore = makeGlyph("Button_Menu_Restore", "glyph_maximize.png");
    Button_Menu_Close = makeGlyph("Button_Menu_Close", "glyph_close.png");
    connect(Button_Menu_Minimize, &QAbstractButton::clicked, &window_, &QWidget::showMinimized);
    connect(Button_Menu_Restore, &QAbstractButton::clicked, this, &WindowChrome::ToggleMaximized);
    connect(Button_Menu_Close, &QAbstractButton::clicked, &window_, &QWidget::close);
    ShowRestoreState();
    PlaceTitleButtons();
}

void WindowChrome::BuildStatusBar()
{
    Panel_Bottom = new QWidget(&window_);
    Panel_Bottom->setObjectName(QStringLiteral("Panel_Bottom"));
    // Tall enough for the status text of any font; below the picture the
    // bar is the window's grey, where the picture's gradient ends.
    Panel_Bottom->setFixedHeight(std::max(17, window_.fontMetrics().height() + 3));
    Panel_Bottom->installEventFilter(this);

    auto* picture = new QLabel(Panel_Bottom);
    picture->setObjectName(QStringLiteral("Image_Bottom"));
    picture->setPixmap(ResourcePicture(QStringLiteral("status_bar.jpg")));
    picture->setGeometry(0, 0, 2000, 17);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);

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

void WindowChrome::SetStatus(const QString& text)
{
    Label_Status->setText(text);
    SetStatusReason(QString());
}

void WindowChrome::SetStatusReason(const QString& reason)
{
    Label_Status->setToolTip(reason);
    Label_Status->setAccessibleDescription(reason);
}

QString WindowChrome::Status() const
{
    return Label_Status->text();
}

void WindowChrome::PlaceTitleButtons()
{
    // Anchored to the right edge: at 739, 759 and 780 of an 800-pixel window.
    const int right = Panel_Top->width();
    Button_Menu_Minimize->move(right - 61, 2);
    Button_Menu_Restore->move(right - 41, 2);
    Button_Menu_Close->move(right - 20, 2);
}

void WindowChrome::PlaceStatusBar()
{
    if (Image_Ancora == nullptr) {
        return;
    }
    const int right = Panel_Bottom->width();
    Image_Ancora->move(right - Image_Ancora->width(), Panel_Bottom->height() - Image_Ancora->height());
    // The gauge ends before the grip however narrow the window; the status
    // text may run up to the gauge, or to the grip while the gauge is hidden.
    Progress->setGeometry(275, 2, std::max(40, Image_Ancora->x() - 275), 13);
    const int textEnd = Progress->isVisible() ? Progress->x() - 4 : Image_Ancora->x() - 4;
    Label_Status->resize(std::max(0, textEnd - Label_Status->x()), Panel_Bottom->height());
}

QRect FirstWindowBounds(QSize wanted, const QRect& available)
{
    if (!available.isValid()) {
        return QRect(QPoint(0, 0), wanted);
    }
    const QSize size = wanted.boundedTo(available.size());
    QRect bounds(QPoint(0, 0), size);
    bounds.moveCenter(available.center());
    // An odd difference rounds the centre; the top-left corner decides.
    bounds.moveLeft(std::clamp(bounds.left(), available.left(), available.right() + 1 - size.width()));
    bounds.moveTop(std::clamp(bounds.top(), available.top(), available.bottom() + 1 - size.height()));
    return bounds;
}

QRect WindowChrome::WorkArea() const
{
    if (workArea_) {
        return workArea_();
    }
    const QScreen* screen = window_.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen ? screen->availableGeometry() : window_.geometry();
}

bool WindowChrome::eventFilter(QObject* watched, QEvent* event)
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
    }
    return QObject::eventFilter(watched, event);
}

bool WindowChrome::TitlePictureEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            manualMove_ = false;
            moveOffset_ = mouse->globalPosition().toPoint() - window_.frameGeometry().topLeft();
        }
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!(mouse->buttons() & Qt::LeftButton)) {
            return true;
        }
        if (manualMove_) {
            window_.move(mouse->globalPosition().toPoint() - moveOffset_);
            return true;
        }
        // The window system moves the window when it can; without a window
        // manager it refuses, and the window follows the mouse by hand.
        QWindow* handle = window_.windowHandle();
        if (handle == nullptr || !handle->startSystemMove()) {
            manualMove_ = true;
            window_.move(mouse->globalPosition().toPoint() - moveOffset_);
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        manualMove_ = false;
        return true;
    case QEvent::MouseButtonDblClick:
        ToggleMaximized();
        return true;
    default:
        return false;
    }
}

void WindowChrome::ToggleMaximized()
{
    if (!maximized_) {
        savedBounds_ = window_.geometry();
        window_.setGeometry(WorkArea());
        Image_Ancora->hide();
    } else {
        window_.setGeometry(savedBounds_);
        Image_Ancora->show();
    }
    maximized_ = !maximized_;
    ShowRestoreState();
}

void WindowChrome::ApplyLanguage(Language language)
{
    language_ = language;
    const Captions& c = CaptionsOf(language);
    Button_Menu_Minimize->setAccessibleName(QString::fromLatin1(c.minimize));
    Button_Menu_Minimize->setToolTip(QString::fromLatin1(c.minimize));
    Button_Menu_Close->setAccessibleName(QString::fromLatin1(c.close));
    Button_Menu_Close->setToolTip(QString::fromLatin1(c.close));
    ShowRestoreState();
}

void WindowChrome::ShowRestoreState()
{
    // The button shows what it will do: maximise a normal window, restore a maximised one.
    Button_Menu_Restore->SetPicture(ResourcePicture(maximized_ ? QStringLiteral("glyph_restore.png")
                                                               : QStringLiteral("glyph_maximize.png"),
                                                    QSize(17, 17)));
    const Captions& c = CaptionsOf(language_);
    const QString name = QString::fromLatin1(maximized_ ? c.restore : c.maximize);
    Button_Menu_Restore->setToolTip(name);
    Button_Menu_Restore->setAccessibleName(name);
}

bool WindowChrome::GripEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        savedBounds_ = window_.geometry();
        return true;
    case QEvent::MouseMove:
        // The window keeps its size until the button is released.
        return true;
    case QEvent::MouseButtonRelease: {
        const QPoint cursor = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        window_.setGeometry(GripReleaseBounds(savedBounds_, cursor, window_.minimumSize()));
        return true;
    }
    default:
        return false;
    }
}

} // namespace dorvanta
