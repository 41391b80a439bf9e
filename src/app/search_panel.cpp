#include "app/search_panel.h"

#include "app/button_faces.h"
#include "app/html_view.h"
#include "app/info_box.h"
#include "app/windows1250.h"
#include "data/messages.h"
#include "data/record_file.h"
#include "search/search_result.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>

#include <exception>

namespace dorvanta {

namespace {

constexpr int kRecordNumberRole = Qt::UserRole;

} // namespace

SearchPanel::SearchPanel(const WindowState& state, const char* name, QWidget* parent)
    : QWidget(parent), state_(state)
{
    setObjectName(QString::fromLatin1(name));
}

void SearchPanel::WireControls()
{
    view_->SetProgramFolder(state_.programFolder);
    searchBox_->installEventFilter(this);
    connect(searchBox_, &QLineEdit::returnPressed, this, [this] {
        typingPause_->stop();
        Search();
    });
    connect(searchButton_, &QAbstractButton::clicked, this, [this] {
        typingPause_->stop();
        Search();
    });
    // Searching as the user types waits for a pause of 150 ms, so a word
    // typed quickly costs one search, not one a key.
    typingPause_ = new QTimer(this);
    typingPause_->setObjectName(QStringLiteral("TypingPause"));
    typingPause_->setSingleShot(true);
    typingPause_->setInterval(150);
    connect(searchBox_, &QLineEdit::textEdited, this, [this] {
        if (state_.searchAsYouType) {
            typingPause_->start();
        }
    });
    connect(typingPause_, &QTimer::timeout, this, [this] {
        // The status line tells of no result; a box at every pause would
        // take the keyboard from the user.
        typingSearch_ = true;
        Search();
        typingSearch_ = false;
    });
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    list_->header()->setSectionsClickable(true);
    connect(list_->header(), &QHeaderView::sectionClicked, this, &SearchPanel::SortByColumn);
    connect(view_, &HtmlView::navigationComplete, this, [this] {
        if (!state_.mainShown) {
            return;
        }
        // Back to the result list, so the arrow keys keep moving through the results.
        searchBox_->setFocus();
        list_->setFocus();
    });
}

bool SearchPanel::ShowSearchResult(const std::function<SearchResult()>& search)
{
    list_->clear();
    recordNumbers_.clear();
    SearchResult result;
    bool failed = false;
    try {
        result = search();
        FillResultList(result);
        if (!result.status.empty()) {
            emit statusChanged(Windows1250ToQString(result.status));
        }
        failed = result.outcome == SearchOutcome::CannotOpen || result.outcome == SearchOutcome::ReadError;
    } catch (const std::exception& error) {
        // Nothing the core raises may leave the event loop; the user sees why.
        emit resultWithdrawn();
        LoadStartPage(StartPageStem());
        ShowInformation(this, QString::fromLocal8Bit(error.what()));
        return false;
    }
    if (failed) {
        // The status line and the page told of the result before, which is gone.
        emit resultWithdrawn();
        LoadStartPage(StartPageStem());
    }
    if (!result.errorMessage.empty()) {
        ShowInformation(this, Windows1250ToQString(result.errorMessage));
    }
    if (failed) {
        return false;
    }
    if (result.showNoResult && !typingSearch_) {
        ShowInformation(this, Windows1250ToQString(InfoMessageText(1, state_.language)));
    }
    return true;
}

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
            new QTreeWidgetItem(QStringList{Windows1250ToQString(row.type), Windows1250ToQString(row.text)});
        item->setData(0, kRecordNumberRole, static_cast<qlonglong>(row.recordNumber));
        items.append(item);
        recordNumbers_.push_back(row.recordNumber);
    }
    list_->addTopLevelItems(items);
}

void SearchPanel::SortByColumn(int column)
{
    sortOrder_ =
        column == sortColumn_ && sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    sortColumn_ = column;
    list_->sortItems(column, sortOrder_);
    list_->header()->setSortIndicator(column, sortOrder_);
    list_->header()->setSortIndicatorShown(true);
}

void SearchPanel::ShowSelectedRow()
{
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    const QVariant number = selected.front()->data(0, kRecordNumberRole);
    if (!number.isValid()) {
        return;
    }
    try {
        ShowPage(number.toLongLong());
    } catch (...) {
        // An unreadable file or a broken record leaves the page shown before.
    }
}

void SearchPanel::SetSearchFace(const QPixmap& face)
{
    searchButton_->SetPicture(face);
}

void SearchPanel::LoadStartPage(const char* stem)
{
    // A missing page leaves the view as it was; a failure on one panel does
    // not keep the other from loading.
    try {
        const std::filesystem::path internet = ResolveFile(state_.programFolder, "Internet");
        const std::string name = std::string(stem) + std::string(LanguageCode(state_.language)) + ".htm";
        const std::filesystem::path page = ResolveFile(internet, name);
        std::error_code ec;
        if (std::filesystem::is_regular_file(page, ec)) {
            view_->NavigateToFile(QString::fromStdU16String(page.u16string()));
        }
    } catch (...) {
    }
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

bool SearchPanel::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == searchBox_) {
        if (type == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            emit searchBoxClicked(searchBox_);
        } else if (type == QEvent::KeyPress && IsPlaceholder(searchBox_->text())) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool typed = !key->text().isEmpty() && key->text().front().isPrint();
            if (typed || key->matches(QKeySequence::Paste)) {
                // Typing or pasting replaces the placeholder, as the first click does.
                searchBox_->clear();
            }
        }
        return false;
    }
    if (watched == list_) {
        if (type == QEvent::Resize) {
            FitColumns();
        } else if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
            // Both key down and key up: on key down the page of the row
            // selected before the move, on key up the one after it.
            ShowSelectedRow();
        }
        return false;
    }
    if (watched == list_->viewport()) {
        if (type == QEvent::ToolTip) {
            return ShowToolTip(event);
        }
        // A click (the selection is already made when the button comes up) on
        // a row; below the rows there is nothing to show.
        if (type == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && list_->itemAt(mouse->position().toPoint()) != nullptr) {
                ShowSelectedRow();
            }
        }
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace dorvanta
