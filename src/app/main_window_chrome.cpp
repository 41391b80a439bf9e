// The window's own chrome: moving by the title-bar picture, maximise and
// restore, the size grip, minimise, close, and where the popups open.
#include "app/main_window_chrome.h"
#include "app/main_window.h"

#include "app/button_faces.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
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

void TForm_Main::PlaceTitleButtons()
{
    if (Button_Menu_Close == nullptr) {
        return;
    }
    // Anchored to the right edge: at 739, 759 and 780 of an 800-pixel window.
    const int right = Panel_Top->width();
    Button_Menu_Minimize->move(right - 61, 2);
    Button_Menu_Restore->move(right - 41, 2);
    Button_Menu_Close->move(right - 20, 2);
}

void TForm_Main::PlaceStatusBar()
{
    if (Image_Ancora == nullptr || Progress == nullptr || Label_Status == nullptr) {
        return;
    }
    const int right = Panel_Bottom->width();
    Image_Ancora->move(right - Image_Ancora->width(), Panel_Bottom->height() - Image_Ancora->height());
    // The status text may run up to the gauge, or to the grip while the gauge is hidden.
    const int textEnd = Progress->isVisible() ? Progress->x() - 4 : Image_Ancora->x() - 4;
    Label_Status->resize(std::max(0, textEnd - Label_Status->x()), Panel_Bottom->height());
}

QRect TForm_Main::WorkArea() const
{
    if (options_.workArea) {
        return options_.workArea();
    }
    const QScreen* screen = this->screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen ? screen->availableGeometry() : geometry();
}

bool TForm_Main::TitlePictureEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            manualMove_ = false;
            moveOffset_ = mouse->globalPosition().toPoint() - frameGeometry().topLeft();
        }
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!(mouse->buttons() & Qt::LeftButton)) {
            return true;
        }
        if (manualMove_) {
            move(mouse->globalPosition().toPoint() - moveOffset_);
            return true;
        }
        // The window system moves the window when it can; without a window
        // manager it refuses, and the window follows the mouse by hand.
        QWindow* handle = windowHandle();
        if (handle == nullptr || !handle->startSystemMove()) {
            manualMove_ = true;
            move(mouse->globalPosition().toPoint() - moveOffset_);
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        manualMove_ = false;
        return true;
    case QEvent::MouseButtonDblClick:
        Button_Menu_RestoreClick();
        return true;
    default:
        return false;
    }
}

void TForm_Main::Button_Menu_RestoreClick()
{
    if (!windowMaximized_) {
        savedBounds_ = geometry();
        setGeometry(WorkArea());
        Image_Ancora->hide();
    } else {
        setGeometry(savedBounds_);
        Image_Ancora->show();
    }
    windowMaximized_ = !windowMaximized_;
}

bool TForm_Main::GripEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        savedBounds_ = geometry();
        return true;
    case QEvent::MouseMove:
        // The window keeps its size until the button is released.
        return true;
    case QEvent::MouseButtonRelease: {
        const QPoint cursor = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        setGeometry(GripReleaseBounds(savedBounds_, cursor, minimumSize()));
        return true;
    }
    default:
        return false;
    }
}

void TForm_Main::Button_Menu_MinimizeClick()
{
    showMinimized();
}

void TForm_Main::Button_Menu_CloseClick()
{
    close();
}

void TForm_Main::OpenPopup(QMenu* popup, PopupSlot slot)
{
    popup->popup(PopupPosition(slot, x(), y(), Panel_Menu->height()));
}

void TForm_Main::Button_Menu_Companies_DownClick()
{
    OpenPopup(Popup_Companies_Down, PopupSlot::CompaniesDown);
}

void TForm_Main::SpeedButton5Click()
{
    OpenPopup(Popup_Internet_Down, PopupSlot::InternetDown);
}

void TForm_Main::Button_Menu_UpdateClick()
{
    OpenPopup(Popup_Update, PopupSlot::Update);
}

void TForm_Main::Button_Menu_InsertClick()
{
    OpenPopup(Popup_Insert, PopupSlot::Insert);
}

void TForm_Main::Button_Menu_SettingsClick()
{
    OpenPopup(Popup_Settings, PopupSlot::Settings);
}

void TForm_Main::Button_Menu_HelpClick()
{
    OpenPopup(Popup_Help, PopupSlot::Help);
}

} // namespace dorvanta
