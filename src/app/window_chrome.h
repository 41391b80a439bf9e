#pragma once

#include "data/language.h"

#include <QObject>
#include <QPoint>
#include <QRect>

#include <functional>

class QLabel;
class QProgressBar;
class QWidget;

namespace dorvanta {

class PictureButton;

// The six popups of the menu bar, in the order of their buttons.
enum class PopupSlot
{
    CompaniesDown,
    InternetDown,
    Update,
    Insert,
    Settings,
    Help
};

// Screen point of a popup's top-left corner: just below the menu bar, and a
// few pixels right of its button. A window pushed past the screen's left edge
// (left <= 0) opens its popups at fixed places, three pixels further left than
// a window at left 0 would, so they never open off screen.
QPoint PopupPosition(PopupSlot slot, int windowLeft, int windowTop, int menuBarHeight);

// The window's bounds after the grip is released at screen point `cursor`:
// the point becomes the bottom-right corner (seven pixels beyond it, where the
// grip's corner sits under the cursor), never smaller than `minimum`.
QRect GripReleaseBounds(const QRect& saved, QPoint cursor, QSize minimum);

// Where the first window opens: `wanted` centred in the screen's available
// area, made smaller where the area is smaller (a 1920 x 1080 screen at 200 %
// scale has 960 x 540 to give) and moved so that all of it, the title bar
// first, is on that screen.
QRect FirstWindowBounds(QSize wanted, const QRect& available);

// The window's own chrome, drawn by the program since the window has no frame
// of the window system: the title bar (moving by its picture, minimise,
// maximise and restore, close) and the status bar (status line, gauge, size grip).
class WindowChrome : public QObject
{
    Q_OBJECT

public:
    // `workArea` gives the screen area a maximised window fills.
    WindowChrome(QWidget& window, std::function<QRect()> workArea);

    QWidget* TitleBar() const { return Panel_Top; }
    QWidget* StatusBar() const { return Panel_Bottom; }
    QProgressBar* Gauge() const { return Progress; }
    // Replaces the status text; a reason given for the old text goes with it.
    void SetStatus(const QString& text);
    // What lies behind the status text (why an update failed), as the status
    // line's tooltip and accessible description, so the keyboard reaches it
    // too; empty removes it.
    void SetStatusReason(const QString& reason);
    QString Status() const;

    // The names and tooltips of the title-bar buttons in a language.
    void ApplyLanguage(Language language);

    bool Maximized() const { return maximized_; }
    // The bounds to return to: saved by maximise and by the grip.
    QRect SavedBounds() const { return savedBounds_; }
    void ToggleMaximized();
    // The screen area a maximised window fills.
    QRect WorkArea() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTitleBar();
    void BuildStatusBar();
    bool TitlePictureEvent(QEvent* event);
    bool GripEvent(QEvent* event);
    void PlaceTitleButtons();
    void PlaceStatusBar();
    void ShowRestoreState();

    QWidget& window_;
    std::function<QRect()> workArea_;

    QWidget* Panel_Top = nullptr;
    QLabel* Image_Center = nullptr;
    PictureButton* Button_Menu_Minimize = nullptr;
    PictureButton* Button_Menu_Restore = nullptr;
    PictureButton* Button_Menu_Close = nullptr;
    QWidget* Panel_Bottom = nullptr;
    QLabel* Label_Status = nullptr;
    QProgressBar* Progress = nullptr;
    QLabel* Image_Ancora = nullptr;

    Language language_ = Language::EN;
    bool maximized_ = false;
    QRect savedBounds_{0, 0, 0, 0};
    // Moving by hand where the window system cannot move the window itself.
    bool manualMove_ = false;
    QPoint moveOffset_;
};

} // namespace dorvanta
