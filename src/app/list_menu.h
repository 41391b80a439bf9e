#pragma once

#include "data/language.h"

#include <QString>

#include <string>

class QMenu;
class QWidget;

namespace dorvanta {

class MineLayer;

// The name a list is shown by: the default list has a name in each
// language, the user's own lists are shown as typed (UTF-8).
QString ListDisplayName(const std::string& storedName, Language language);

// Fills `menu` (cleared first) with the user's lists for one company (its
// name key, Windows-1250): a check box per list, on when the company is on
// it, and choosing it adds or removes the company; then "New list...", which
// asks for a name, makes the list and puts the company on it. Nothing but a
// disabled line when the lists cannot be used.
void FillListMenu(QMenu* menu, MineLayer& mine, const std::string& companyKey, Language language,
                  QWidget* dialogParent);

// Asks for a new list's name and makes the list; the name, or empty when
// cancelled, refused (a list of that name exists) or failed (told by the layer).
std::string AskNewList(MineLayer& mine, Language language, QWidget* dialogParent);

} // namespace dorvanta
