#pragma once

#include <QPoint>
#include <QRect>

namespace dorvanta {

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

} // namespace dorvanta
