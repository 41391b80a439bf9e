#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

class QAction;
class QMenu;

namespace dorvanta {

// The run-time items of the domain popups and of "New business ads" carry a
// hint: the group and domain of a category, the group line of a type item, or
// the group letter of an update item. It is kept in this dynamic property.
inline constexpr const char* kHintProperty = "hint";

QString MenuItemHint(const QAction* item);
void SetMenuItemHint(QAction* item, const QString& hint);

// Captions are shown as written: an "&" in a domain or category name is not a
// keyboard mnemonic. MenuText escapes a caption for a menu, MenuItemCaption
// gives it back as written.
QString MenuText(const QString& caption);
QString MenuItemCaption(const QAction* item);

// Removes every item of a menu. The items are deleted later, not at once; with
// `holdBack` given they are not even deleted later but kept there: the menus
// are rebuilt by a language switch, which can run while an item's own command
// is still on the stack (an update waiting for the network lets the window
// handle events, and those run deferred deletions too).
void ClearMenu(QMenu* menu, std::vector<QPointer<QObject>>* holdBack = nullptr);

} // namespace dorvanta
