#include "app/search_panel.h"
#include "app/swallowed.h"

#include "app/button_faces.h"
#include "app/captions.h"
#include "app/html_view.h"
#include "app/info_box.h"
#include "app/windows1250.h"
#include "data/messages.h"
#include "data/record_file.h"
#include "search/search_result.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>

#include <exception>

namespace dorvanta {

SearchPanel::SearchPanel(const WindowState& state, const char* name, QWidget* parent)
    : QWidget(parent), state_(state)
{
    setObjectName(QString::fromLatin1(name));
}

void SearchPanel::FinishControls(SearchPanelParts& parts, const char* buttonName, const char* listName,
                                 const char* viewName)
{
    searchButton_ = parts.AddSearchButton(buttonName);
    list_ = MakeResultList(listName, parts.left);
    view_ = MakeView(viewName, parts.splitter);
    parts.Finish(list_, view_);
    criteriaColumn_ = parts.left;
    criteria_ = parts.criteria;
    criteriaArea_ = parts.criteriaArea;
    WireControls();
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
    connect(typingPause_, &QTimer::timeout, this, [this] {
        // The status line tells of no result; a box at every pause would
        // take the keyboard from the user.
        typingSearch_ = true;
        Search();
        typingSearch_ = false;
    });
    // Enter in any criteria box searches; in an open drop-down it only chooses.
    for (QComboBox* box : findChildren<QComboBox*>()) {
        box->installEventFilter(this);
    }
    // The columns sort from the keyboard too, within the panel.
    for (int column = 0; column < list_->columnCount(); ++column) {
        AddSortKey(column);
    }
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    list_->header()->setSectionsClickable(true);
    connect(list_->header(), &QHeaderView::sectionClicked, this, &SearchPanel::SortByColumn);
    // One page load for each change of the current row, whatever moved it
    // (arrow keys, Page Down, a click, the first row after a search): the
    // page always belongs to the highlighted row, and a quick run of arrow
    // keys costs one page a row, not two loads a key.
    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current != nullptr && !quietRowChange_) {
            ShowRow(current);
        }
    });
    // A double click opens the row (Enter too, in the event filter); not
    // "activated", which some styles send for a single click.
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &SearchPanel::OpenRow);
    connect(searchBox_, &QLineEdit::textChanged, this, [this](const QString& text) {
        textBeforeEdit_ = shownText_;
        shownText_ = text;
    });
    // The placeholder goes before the typing pause starts, so the search
    // sees the user's text alone.
    connect(searchBox_, &QLineEdit::textEdited, this, &SearchPanel::EditedFromPlaceholder);
    connect(searchBox_, &QLineEdit::textEdited, this, [this] {
        if (state_.searchAsYouType) {
            typingPause_->start();
        }
    });
}

void SearchPanel::OpenRow(QTreeWidgetItem* row)
{
    if (row != list_->currentItem()) {
        list_->setCurrentItem(row);
    }
    // A search made while typing left another page shown.
    if (row->data(0, kRecordNumberRole).toLongLong() != shownRecord_) {
        ShowRow(row);
    }
    PageOpened();
    // The reader goes into the page.
    view_->setFocus(Qt::OtherFocusReason);
}

void SearchPanel::EditedFromPlaceholder(const QString& text)
{
    // Qt tells of the edit before or after the change of text, by version.
    const QString before = shownText_ == text ? textBeforeEdit_ : shownText_;
    if (!IsPlaceholder(before)) {
        return;
    }
    // Any edit of a box showing its placeholder starts from an empty box,
    // whichever way it came (a key, Backspace, a paste from the keyboard,
    // the context menu or the middle button, a drop, an input method): only
    // what the edit inserted stays. The edit leaves the cursor at the end of
    // what it inserted, and the placeholder's text after the cursor is
    // untouched.
    const int end = std::clamp(searchBox_->cursorPosition(), 0, static_cast<int>(text.size()));
    const qsizetype after = text.size() - end;
    QString inserted;
    if (after <= before.size() && before.right(after) == text.mid(end)) {
        const QString head = before.left(before.size() - after);
        int start = 0;
        while (start < end && start < head.size() && head.at(start) == text.at(start)) {
            ++start;
        }
        inserted = text.mid(start, end - start);
    }
    searchBox_->setText(inserted);
    searchBox_->setCursorPosition(static_cast<int>(inserted.size()));
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
            // The count, where a screen reader finds it with the list.
            list_->setAccessibleDescription(Windows1250ToQString(result.status));
            emit statusChanged(Windows1250ToQString(result.status));
        }
        failed = result.outcome == SearchOutcome::CannotOpen || result.outcome == SearchOutcome::ReadError;
    } catch (const std::exception& error) {
        // Nothing the core raises may leave the event loop; the user sees why.
        list_->setAccessibleDescription(QString());
        emit resultWithdrawn();
        LoadStartPage(StartPageStem());
        ShowInformation(this, QString::fromLocal8Bit(error.what()));
        return false;
    }
    if (failed) {
        // The status line and the page told of the result before, which is gone.
        list_->setAccessibleDescription(QString());
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

void SearchPanel::ShowSelectedRow()
{
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (!selected.isEmpty()) {
        ShowRow(selected.front());
    }
}

void SearchPanel::ShowRow(const QTreeWidgetItem* row)
{
    const QVariant number = row->data(0, kRecordNumberRole);
    if (!number.isValid()) {
        return;
    }
    try {
        if (ShowPage(number.toLongLong())) {
            shownRecord_ = number.toLongLong();
        }
    } catch (...) {
        // An unreadable file or a broken record leaves the page shown before.
        WarnSwallowed("showing a page");
    }
}

void SearchPanel::ShowRecord(std::int64_t recordNumber)
{
    try {
        if (ShowPage(recordNumber)) {
            shownRecord_ = recordNumber;
        }
    } catch (...) {
        WarnSwallowed("showing a page");
    }
}

QString SearchPanel::ShownRowText() const
{
    const QTreeWidgetItem* row = list_->currentItem();
    if (row == nullptr || row->data(0, kRecordNumberRole).toLongLong() != shownRecord_) {
        return {};
    }
    return row->text(1);
}

void SearchPanel::FocusSearchBox()
{
    searchBox_->setFocus(Qt::ShortcutFocusReason);
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
            shownRecord_ = -1;
            view_->NavigateToFile(QString::fromStdU16String(page.u16string()));
            StartPageLoaded();
        }
    } catch (...) {
        WarnSwallowed("loading a start page");
    }
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
    if (type == QEvent::KeyPress && qobject_cast<QComboBox*>(watched) != nullptr) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            typingPause_->stop();
            Search();
            return true;
        }
        return false;
    }
    if (watched == list_) {
        if (type == QEvent::Resize) {
            FitColumns();
        } else if (type == QEvent::KeyPress && list_->currentItem() != nullptr) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                OpenRow(list_->currentItem());
                return true;
            }
        }
        return false;
    }
    if (watched == list_->viewport()) {
        if (type == QEvent::ToolTip) {
            return ShowToolTip(event);
        }
        // A click on the current row whose page is not shown (a search made
        // while typing left the page being read); a click that moves the
        // current row has loaded its page already.
        if (type == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QTreeWidgetItem* row = list_->itemAt(mouse->position().toPoint());
            if (mouse->button() == Qt::LeftButton && row != nullptr && row == list_->currentItem() &&
                row->data(0, kRecordNumberRole).toLongLong() != shownRecord_) {
                ShowRow(row);
            }
        }
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace dorvanta
