#pragma once

#include <QList>
#include <QRect>

namespace dorvanta {

class SettingsStore;

// Where the window was when it last closed, kept per user beside the
// language: "WindowBounds" ("x,y,width,height" of the normal window),
// "WindowMaximized" ("1" or "0"), and the splitters' first widths
// "SplitterCompanies" and "SplitterInternet".
struct WindowGeometry
{
    QRect bounds;
    bool maximized = false;
    int companiesSplit = 0; // 0: not stored
    int internetSplit = 0;
};

// Values that cannot be read, or are not there, come back empty.
WindowGeometry LoadWindowGeometry(SettingsStore& settings);
// A store that cannot be written keeps its old values; closing goes on.
void SaveWindowGeometry(SettingsStore& settings, const WindowGeometry& geometry);

// The stored bounds on the screens present: on the screen that holds most of
// them, made no larger than its area and moved wholly onto it. Bounds on no
// screen any more (a monitor unplugged) come back invalid: the window then
// opens where a first window does.
QRect BoundsOnScreens(const QRect& stored, const QList<QRect>& screens);

} // namespace dorvanta
