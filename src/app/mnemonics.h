#pragma once

#include <QChar>
#include <QString>

class QLabel;
class QMenu;
class QWidget;

namespace dorvanta {

// A caption with a keyboard mnemonic before the first `letter` (any case);
// an "&" of the caption itself is shown as written.
QString WithMnemonic(const QString& caption, QChar letter);
// The caption as shown: "&&" is an "&", a single "&" marks the mnemonic.
QString WithoutMnemonic(const QString& text);
// The letter a text's mnemonic marks, upper-cased; null without one.
QChar MnemonicOf(const QString& text);

// Gives every item of a menu, and of its submenus, a mnemonic of its own
// within its menu: a word's first letter where one is free, else any free
// letter or digit. Items keep their captions; only the marks change.
void AssignMnemonics(QMenu* menu);

// A criteria label with its mnemonic: Alt and the letter put the keyboard
// into `box`, and a screen reader names the box by the caption.
void SetCriteriaCaption(QLabel* label, QWidget* box, const char* caption, char letter);

} // namespace dorvanta
