#include "app/mnemonics.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

#include <set>

namespace dorvanta {

namespace {

bool Markable(QChar c)
{
    // Plain letters and digits only: a mnemonic must be typed on any keyboard.
    return c.unicode() < 128 && c.isLetterOrNumber();
}

QString Escaped(const QString& caption)
{
    QString text = caption;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

QString WithoutMnemonic(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
        }
        shown.append(text.at(i));
    }
    return shown;
}

QChar MnemonicOf(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (text.at(i + 1) != QLatin1Char('&')) {
                return text.at(i + 1).toUpper();
            }
            ++i;
        }
    }
    return {};
}

QString WithMnemonic(const QString& caption, QChar letter)
{
    const qsizetype at = caption.indexOf(letter, 0, Qt::CaseInsensitive);
    if (at < 0) {
        return Escaped(caption);
    }
    return Escaped(caption.left(at)) + QLatin1Char('&') + Escaped(caption.mid(at));
}

void AssignMnemonics(QMenu* menu)
{
    std::set<QChar> used;
    std::vector<std::pair<QAction*, QString>> items;
    for (QAction* item : menu->actions()) {
        if (item->isSeparator()) {
            continue;
        }
        items.emplace_back(item, WithoutMnemonic(item->text()));
        if (QMenu* submenu = item->menu<QMenu*>()) {
            AssignMnemonics(submenu);
        }
    }
    // Two passes: the first letters of words first, so "Save as PDF" gets
    // its S before another item takes it for a letter inside a word.
    std::vector<QChar> chosen(items.size());
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            const QString& caption = items[i].second;
            for (qsizetype k = 0; k < caption.size() && chosen[i].isNull(); ++k) {
                const bool wordStart = k == 0 || !caption.at(k - 1).isLetterOrNumber();
                const QChar c = caption.at(k).toUpper();
                if ((pass == 1 || wordStart) && Markable(c) && !used.contains(c)) {
                    chosen[i] = c;
                    used.insert(c);
                }
            }
        }
    }
    // A long menu (the sections of a domain) has more items than letters:
    // the rest share their first letter, and pressing it again goes on to
    // the next item that has it.
    for (std::size_t i = 0; i < items.size(); ++i) {
        for (qsizetype k = 0; k < items[i].second.size() && chosen[i].isNull(); ++k) {
            if (Markable(items[i].second.at(k))) {
                chosen[i] = items[i].second.at(k).toUpper();
            }
        }
        items[i].first->setText(WithMnemonic(items[i].second, chosen[i]));
    }
}

void SetCriteriaCaption(QLabel* label, QWidget* box, const char* caption, char letter)
{
    const QString text = QString::fromLatin1(caption);
    label->setText(WithMnemonic(text, QLatin1Char(letter)));
    label->setBuddy(box);
    box->setAccessibleName(text);
    // A screen reader on Linux names a drop-down by the label of the same
    // parent that is its buddy, and the shown label sits elsewhere in the
    // grid: a hidden one beside the box carries the caption (without a
    // mnemonic, so it takes no key).
    QWidget* parent = box->parentWidget();
    auto* reader = parent->findChild<QLabel*>(QStringLiteral("ReaderLabel"), Qt::FindDirectChildrenOnly);
    if (reader == nullptr) {
        reader = new QLabel(parent);
        reader->setObjectName(QStringLiteral("ReaderLabel"));
        reader->hide();
        reader->setBuddy(box);
    }
    reader->setText(text);
}

} // namespace dorvanta
