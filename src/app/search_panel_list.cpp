// The result list of a search panel: its rows, their sort in the Romanian
// alphabet, the columns' widths and what a screen reader hears of it.
#include "app/search_panel.h"
#include "app/sort_key_item.h"

#include "app/button_faces.h"
#include "app/captions.h"
#include "app/html_view.h"
#include "app/windows1250.h"
#include "data/ad_date.h"
#include "data/text.h"
#include "search/search_result.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QScrollArea>
#include <QShortcut>
#include <QSignalBlocker>
#include <QToolTip>
#include <QTreeWidget>

namespace dorvanta {

namespace {

// The key of a row in the date column's order: the day, then the row's place
// in the file the same way (the newest import first among ads of one day),
// and rows whose date does not parse after all the others in both orders.
QByteArray DateSortKey(const QTreeWidgetItem* item, int column, bool newestFirst)
{
    const std::optional<DayNumber> day = ParseAdDate(QStringToWindows1250(item->text(column)));
    // Flipping the sign bit keeps the order of negative days.
    quint32 dayKey = day ? static_cast<quint32>(*day) ^ 0x80000000u : 0u;
    auto recordKey = static_cast<quint64>(item->data(0, SearchPanel::kRecordNumberRole).toLongLong());
    if (newestFirst) {
        dayKey = ~dayKey;
        recordKey = ~recordKey;
    }
    QByteArray key(1, day ? '\0' : '\1');
    for (int shift = 24; shift >= 0; shift -= 8) {
        key.append(static_cast<char>(dayKey >> shift));
    }
    for (int shift = 56; shift >= 0; shift -= 8) {
        key.append(static_cast<char>(recordKey >> shift));
    }
    return key;
}

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
        QStringList texts{Windows1250ToQString(row.type), Windows1250ToQString(row.text)};
        if (dateColumn_ >= 0) {
            texts.append(Windows1250ToQString(row.date));
        }
        auto* item = new SortKeyItem(texts);
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
    // Dates come newest first at the first click, texts from A.
    const bool dates = column == dateColumn_;
    const Qt::SortOrder firstOrder = dates ? Qt::DescendingOrder : Qt::AscendingOrder;
    const Qt::SortOrder secondOrder = dates ? Qt::AscendingOrder : Qt::DescendingOrder;
    sortOrder_ = column == sortColumn_ && sortOrder_ == firstOrder ? secondOrder : firstOrder;
    sortColumn_ = column;
    {
        // A key of our own role: nothing the view shows changes.
        const QSignalBlocker quiet(list_->model());
        for (int i = 0; i < list_->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = list_->topLevelItem(i);
            if (dates) {
                // The key holds the direction, so that undated rows stay last.
                item->setData(column, kSortKeyRole,
                              DateSortKey(item, column, sortOrder_ == Qt::DescendingOrder));
            } else if (!item->data(column, SearchPanel::kSortKeyRole).isValid()) {
                item->setData(column, kSortKeyRole,
                              RomanianSortKey(QStringToWindows1250(item->text(column))));
            }
        }
    }
    list_->sortItems(column, dates ? Qt::AscendingOrder : sortOrder_);
    list_->header()->setSortIndicator(column, sortOrder_);
    list_->header()->setSortIndicatorShown(true);
}

void SearchPanel::AddSortKey(int column)
{
    // The columns sort from the keyboard too, within the panel.
    auto* sortKey = new QShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + column)), this);
    sortKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(sortKey, &QShortcut::activated, this, [this, column] { SortByColumn(column); });
}

void SearchPanel::AddDateColumn()
{
    dateColumn_ = list_->columnCount();
    list_->setColumnCount(dateColumn_ + 1);
    AddSortKey(dateColumn_);
}

void SearchPanel::FitDateColumn()
{
    if (dateColumn_ < 0) {
        return;
    }
    const int header =
        QFontMetrics(list_->header()->font()).horizontalAdvance(list_->headerItem()->text(dateColumn_));
    const int date = QFontMetrics(list_->font()).horizontalAdvance(QStringLiteral("00.00.0000"));
    // The header's room includes the sort arrow.
    list_->header()->resizeSection(dateColumn_, std::max(header + 24, date + 14));
    FitColumns();
}

QString SearchPanel::TypeCellName(const std::string& type) const
{
    return Windows1250ToQString(type);
}

void SearchPanel::ApplyAccessibleNames(const char* listName, const char* viewName)
{
    const Captions& c = CaptionsOf(state_.language);
    list_->setAccessibleName(QString::fromLatin1(listName));
    list_->header()->setToolTip(QString::fromLatin1(dateColumn_ >= 0 ? c.sortKeysWithDate : c.sortKeys));
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
    // As tall as the criteria when there is room; a large font on a small
    // screen lets them scroll and keeps a few rows of the list.
    criteriaArea_->setMinimumHeight(criteria_->minimumSizeHint().height() / 3);
    criteriaArea_->setMaximumHeight(criteria_->sizeHint().height());
    criteriaArea_->updateGeometry();
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
    // The name or subject takes what the other columns leave.
    int others = list_->header()->sectionSize(0);
    for (int column = 2; column < list_->columnCount(); ++column) {
        others += list_->header()->sectionSize(column);
    }
    list_->header()->resizeSection(1, std::max(0, list_->width() - others - 16));
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
