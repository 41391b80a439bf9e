#pragma once

#include "data/language.h"

#include <QString>

namespace dorvanta {

// Qt as Debian ships it has no Romanian texts of its own, so the edit boxes'
// and the page views' context menus, the message boxes' buttons and the
// file dialog of "Save as PDF..." would stay English in a Romanian window.
// This gives them Romanian texts of ours (written without diacritics, as the
// window's) while the window is in Romanian.
void UseQtTextsOf(Language language);

// The Romanian text of one of Qt's own texts, or an empty string when we
// have none: `context` is the Qt class that asks ("QLineEdit").
QString RomanianQtText(const char* context, const char* source);

} // namespace dorvanta
