#include "app/window_geometry.h"

#include "app/swallowed.h"

#include "data/settings_store.h"

#include <QString>
#include <QStringList>

#include <algorithm>

namespace dorvanta {

namespace {

constexpr std::string_view kBoundsValue = "WindowBounds";
constexpr std::string_view kMaximizedValue = "WindowMaximized";
constexpr std::string_view kCompaniesSplitValue = "SplitterCompanies";
constexpr std::string_view kInternetSplitValue = "SplitterInternet";

std::string Read(SettingsStore& settings, std::string_view name)
{
    try {
        return settings.ReadString(kSettingsKey, name).value_or(std::string{});
    } catch (const SettingsError&) {
        WarnSwallowed("reading the window's place");
        return {};
    }
}

int ReadNumber(SettingsStore& settings, std::string_view name)
{
    bool ok = false;
    const int number = QString::fromStdString(Read(settings, name)).toInt(&ok);
    return ok && number > 0 && number < 100000 ? number : 0;
}

} // namespace

WindowGeometry LoadWindowGeometry(SettingsStore& settings)
{
    WindowGeometry geometry;
    const QStringList parts = QString::fromStdString(Read(settings, kBoundsValue)).split(QLatin1Char(','));
    if (parts.size() == 4) {
        int values[4] = {};
        bool all = true;
        for (int i = 0; i < 4; ++i) {
            bool ok = false;
            values[i] = parts[i].trimmed().toInt(&ok);
            all = all && ok && values[i] > -100000 && values[i] < 100000;
        }
        if (all && values[2] > 0 && values[3] > 0) {
            geometry.bounds = QRect(values[0], values[1], values[2], values[3]);
        }
    }
    geometry.maximized = Read(settings, kMaximizedValue) == "1";
    geometry.companiesSplit = ReadNumber(settings, kCompaniesSplitValue);
    geometry.internetSplit = ReadNumber(settings, kInternetSplitValue);
    return geometry;
}

void SaveWindowGeometry(SettingsStore& settings, const WindowGeometry& geometry)
{
    try {
        const QRect& b = geometry.bounds;
        settings.WriteString(
            kSettingsKey, kBoundsValue,
            QStringLiteral("%1,%2,%3,%4").arg(b.x()).arg(b.y()).arg(b.width()).arg(b.height()).toStdString());
        settings.WriteString(kSettingsKey, kMaximizedValue, geometry.maximized ? "1" : "0");
        settings.WriteString(kSettingsKey, kCompaniesSplitValue, std::to_string(geometry.companiesSplit));
        settings.WriteString(kSettingsKey, kInternetSplitValue, std::to_string(geometry.internetSplit));
    } catch (const SettingsError&) {
        // The values stored before stay; the window closes all the same.
        WarnSwallowed("storing the window's place");
    }
}

QRect BoundsOnScreens(const QRect& stored, const QList<QRect>& screens)
{
    if (!stored.isValid()) {
        return {};
    }
    const QRect* best = nullptr;
    qint64 bestArea = 0;
    for (const QRect& screen : screens) {
        const QRect common = screen.intersected(stored);
        const qint64 area = common.isValid() ? qint64(common.width()) * common.height() : 0;
        if (area > bestArea) {
            best = &screen;
            bestArea = area;
        }
    }
    // A sliver left on a screen is not the window the user left there.
    if (best == nullptr || bestArea < qint64(std::min(stored.width(), 100)) * std::min(stored.height(), 50)) {
        return {};
    }
    QRect bounds(stored.topLeft(), stored.size().boundedTo(best->size()));
    bounds.moveLeft(std::clamp(bounds.left(), best->left(), best->right() + 1 - bounds.width()));
    bounds.moveTop(std::clamp(bounds.top(), best->top(), best->bottom() + 1 - bounds.height()));
    return bounds;
}

} // namespace dorvanta
