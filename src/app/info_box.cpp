#include "app/info_box.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include <optional>

namespace dorvanta {

namespace {

struct InfoBoxState
{
    bool autoAnswer = false;
    bool yes = true;
    QStringList shown;
    std::optional<QString> nextFolder;
    // A next answer is waiting; a null text answers "cancelled".
    bool hasNextText = false;
    QString nextText;
    std::optional<QString> nextSaveFile;
};

InfoBoxState& State()
{
    static InfoBoxState state;
    return state;
}

// Our texts break lines with a lone carriage return, as the Windows box did; Qt's
// label only breaks at a line feed.
QString DisplayForm(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

void ShowInformation(QWidget* parent, const QString& text)
{
    State().shown.append(text);
    if (State().autoAnswer) {
        return;
    }
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), DisplayForm(text),
                    QMessageBox::Ok, parent);
    // Texts may come from the databases; they are never markup.
    box.setTextFormat(Qt::PlainText);
    box.setObjectName(QStringLiteral("InformationBox"));
    box.exec();
}

bool AskYesNo(QWidget* parent, const QString& text)
{
    State().shown.append(text);
    if (State().autoAnswer) {
        return State().yes;
    }
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), DisplayForm(text),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setObjectName(QStringLiteral("QuestionBox"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void InfoBox::SetAnswerYes(bool yes)
{
    State().yes = yes;
}

void InfoBox::SetAutoAnswer(bool on)
{
    State().autoAnswer = on;
}

bool InfoBox::AutoAnswer()
{
    return State().autoAnswer;
}

const QStringList& InfoBox::ShownTexts()
{
    return State().shown;
}

void InfoBox::ClearShownTexts()
{
    State().shown.clear();
}

QString AskFolder(QWidget* parent, const QString& caption)
{
    if (State().nextFolder) {
        const QString answer = *State().nextFolder;
        State().nextFolder.reset();
        return answer;
    }
    return QFileDialog::getExistingDirectory(parent, caption);
}

void InfoBox::SetNextFolder(const QString& folder)
{
    State().nextFolder = folder;
}

std::optional<QString> AskText(QWidget* parent, const QString& caption, const QString& label,
                               const QString& initial)
{
    if (State().hasNextText) {
        State().hasNextText = false;
        if (State().nextText.isNull()) {
            return std::nullopt;
        }
        return State().nextText;
    }
    bool ok = false;
    const QString text = QInputDialog::getText(parent, caption, label, QLineEdit::Normal, initial, &ok);
    if (!ok) {
        return std::nullopt;
    }
    return text;
}

void InfoBox::SetNextText(const std::optional<QString>& text)
{
    State().hasNextText = true;
    State().nextText = text.value_or(QString());
}

QString AskSaveFile(QWidget* parent, const QString& caption, const QString& suggested, const QString& filters)
{
    if (State().nextSaveFile) {
        const QString answer = *State().nextSaveFile;
        State().nextSaveFile.reset();
        return answer;
    }
    return QFileDialog::getSaveFileName(parent, caption, suggested, filters);
}

void InfoBox::SetNextSaveFile(const QString& file)
{
    State().nextSaveFile = file;
}

} // namespace dorvanta
