#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace dorvanta {

// The modal information box: information icon, caption "Information", one OK
// button. Returns when the user presses OK.
void ShowInformation(QWidget* parent, const QString& text);

// A modal question with Yes and No buttons, No the default. True for Yes.
bool AskYesNo(QWidget* parent, const QString& text);

// A folder chosen by the user; empty when cancelled.
QString AskFolder(QWidget* parent, const QString& caption);

// A line of text typed by the user (a list's name); nothing when cancelled.
std::optional<QString> AskText(QWidget* parent, const QString& caption, const QString& label,
                               const QString& initial = {});

// A file to save to, chosen by the user; empty when cancelled. `filters` as
// QFileDialog takes them ("CSV (*.csv);;Excel workbook (*.xlsx)").
QString AskSaveFile(QWidget* parent, const QString& caption, const QString& suggested,
                    const QString& filters);

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
    // What the next AskText answers without asking (once); nothing: cancelled.
    static void SetNextText(const std::optional<QString>& text);
    // What the next AskSaveFile answers without asking (once); empty: cancelled.
    static void SetNextSaveFile(const QString& file);
};

} // namespace dorvanta
