#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace dorvanta {

// The modal information box: information icon, caption "Information", one OK
// button. Returns when the user presses OK.
void ShowInformation(QWidget* parent, const QString& text);

// A modal question with Yes and No buttons, No the default. True for Yes.
bool AskYesNo(QWidget* parent, const QString& text);

// A folder chosen by the user; empty when cancelled.
QString AskFolder(QWidget* parent, const QString& caption);

// Test hooks, so window tests never block on a box and can see what it said.
class InfoBox
{
public:
    // With auto answer on, ShowInformation records the text and returns at once.
    static void SetAutoAnswer(bool on);
    static bool AutoAnswer();
    // What an automatically answered question answers (Yes at first).
    static void SetAnswerYes(bool yes);
    // Every text shown (or answered automatically) since the last clear, oldest first.
    static const QStringList& ShownTexts();
    static void ClearShownTexts();
    // What the next AskFolder answers without asking (once).
    static void SetNextFolder(const QString& folder);
};

} // namespace dorvanta
