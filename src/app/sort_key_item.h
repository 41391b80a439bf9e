#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTreeWidget>
#include <QTreeWidgetItem>

namespace dorvanta {

// A result row sorted by a key of its own role (the Romanian alphabet, Ş
// after S and not after Z; a date), made when a column is first sorted so a
// list of every company does not carry them all the time; where two keys are
// equal, by the text of `tieColumn` (-1: the sorted column).
class SortKeyItem final : public QTreeWidgetItem
{
public:
    static constexpr int kSortKeyRole = Qt::UserRole + 1;

    explicit SortKeyItem(const QStringList& texts, int tieColumn = -1)
        : QTreeWidgetItem(texts), tieColumn_(tieColumn)
    {
    }

    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() != nullptr ? treeWidget()->sortColumn() : 0;
        const QByteArray mine = data(column, kSortKeyRole).toByteArray();
        const QByteArray theirs = other.data(column, kSortKeyRole).toByteArray();
        const int tie = tieColumn_ < 0 ? column : tieColumn_;
        return mine != theirs ? mine < theirs : text(tie) < other.text(tie);
    }

private:
    int tieColumn_;
};

} // namespace dorvanta
