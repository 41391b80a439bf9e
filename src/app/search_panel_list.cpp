// The result list of a search panel: its rows, their sort in the Romanian
// alphabet, the columns' widths and what a screen reader hears of it.
#include "app/search_panel.h"

#include "app/button_faces.h"
#include "app/captions.h"
#include "app/html_view.h"
#include "app/windows1250.h"
#include "data/text.h"
#include "search/search_result.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolTip>
#include <QTreeWidget>

namespace dorvanta {

namespace {

// A row sorted by the Romanian alphabet (Ş after S, not after Z), through
// keys made when a column is first sorted (a list of every company would
// otherwise carry them all the time).
class SortedRowItem final : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() != nullptr ? treeWidget()->sortColumn() : 0;
        const QByteArray mine = data(column, SearchPanel::kSortKeyRole).toByteArray();
        const QByteArray theirs = other.data(column, SearchPanel::kSortKeyRole).toByteArray();
        return mine != theirs ? mine < theirs : text(column) < other.text(column);
    }
};

} // namespace

void SearchPanel::FillResultList(const SearchResult& result)
{
    // A new search shows the rows in the order the search gives them.
    sortColumn_ = -1;
    list_->header()->setSortIndicatorShown(false);
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(result.rows.size()));
    recordNumbers_.reserve(result.rows.size());
    for (const ResultRow& row : result.rows) {
        auto* item =
            new SortedRowItem(QStringList{Windows1250ToQString(row.type), Windows1250ToQString(row.text)});
        item->setData(0, kRecordNumberRole, static_cast<qlonglong>(row.recordNumber));
        item->setData(0, Qt::AccessibleTextRole, TypeCellName(row.type));
        items.append(item);
        recordNumbers_.push_back(row.recordNumber);
    }
    list_->addTopLevelItems(items);
    if (!items.isEmpty()) {
        // The first row is current and selected, so the arrow keys start
        // there; a search made while typing leaves the page being read.
        quietRowChange_ = typingSearch_;
        list_->setCurrentItem(items.front());
        quietRowChange_ = false;
    }
}

void SearchPanel::SortByColumn(int column)
{
    sortOrder_ =
        column == sortColumn_ && sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    sortColumn_ = column;
    {
        // A key of our own role: nothing the view shows changes.
        const QSignalBlocker quiet(list_->model());
        for (int i = 0; i < list_->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = list_->topLevelItem(i);
            if (!item->data(column, SearchPanel::kSortKeyRole).isValid()) {
                item->setData(column, kSortKeyRole,
                              RomanianSortKey(QStringToWindows1250(item->text(column))));
            }
        }
    }
    list_->sortItems(column, sortOrder_);
    list_->header()->setSortIndicator(column, sortOrder_);
    list_->header()->setSortIndicatorShown(true);
}

QString SearchPanel::TypeCellName(const std::string& type) const
{
    return Windows1250ToQString(type);
}

void SearchPanel::ApplyAccessibleNames(const char* listName, const char* viewName)
{
    const Captions& c = CaptionsOf(state_.language);
    list_->setAccessibleName(QString::fromLatin1(listName));
    list_->header()->setToolTip(QString::fromLatin1(c.sortKeys));
    view_->setAccessibleName(QString::fromLatin1(viewName));
    searchButton_->setAccessibleName(QString::fromLatin1(c.search));
    searchButton_->setToolTip(QString::fromLatin1(c.search) + QStringLiteral(" (Enter)"));
}

void SearchPanel::FitCriteriaWidth()
{
    // The box lies in a clipping widget inside its frame, which the grid lays out.
    const QMargins margins = searchBox_->textMargins();
    QWidget* frame = searchBox_->parentWidget()->parentWidget();
    frame->setMinimumWidth(searchBox_->fontMetrics().horizontalAdvance(searchBox_->text()) + margins.left() +
                           margins.right() + 10);
    criteria_->adjustSize();
    criteriaColumn_->setMinimumWidth(std::max(275, criteria_->minimumSizeHint().width()));
}

void SearchPanel::FitTypeColumn(const QStringList& words)
{
    const QFontMetrics metrics(list_->font());
    const QFontMetrics headerMetrics(list_->header()->font());
    int widest = std::max(20, headerMetrics.horizontalAdvance(list_->headerItem()->text(0)) + 14);
    for (const QString& word : words) {
        widest = std::max(widest, metrics.horizontalAdvance(word) + 14);
    }
    list_->header()->resizeSection(0, widest);
    FitColumns();
}

void SearchPanel::FitColumns()
{
    const int first = list_->header()->sectionSize(0);
    list_->header()->resizeSection(1, std::max(0, list_->width() - first - 16));
}

bool SearchPanel::ShowToolTip(QEvent* event)
{
    // The whole text of a name or subject the column cuts off.
    const auto* help = static_cast<QHelpEvent*>(event);
    const QTreeWidgetItem* item = list_->itemAt(help->pos());
    const int column = list_->columnAt(help->pos().x());
    if (item == nullptr || column < 0) {
        QToolTip::hideText();
        return true;
    }
    const QString text = item->text(column);
    const int start = list_->header()->sectionViewportPosition(column);
    const int shown = std::min(list_->columnWidth(column), list_->viewport()->width() - start);
    constexpr int kMargins = 8;
    if (list_->fontMetrics().horizontalAdvance(text) + kMargins > shown) {
        QToolTip::showText(help->globalPos(), text, list_->viewport());
    } else {
        QToolTip::hideText();
    }
    return true;
}

} // namespace dorvanta
