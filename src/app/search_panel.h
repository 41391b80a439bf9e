#pragma once

#include "app/panel_parts.h"
#include "app/sort_key_item.h"
#include "app/window_state.h"

#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

class QLineEdit;
class QScrollArea;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace dorvanta {

class HtmlView;
class PictureButton;
struct SearchResult;

// What the company and the opportunity panel have in common: a search box
// with a placeholder, a result list whose rows carry their record numbers, a
// page view, and the way a search result is shown.
class SearchPanel : public QWidget
{
    Q_OBJECT

public:
    // What a result row keeps beside its texts.
    static constexpr int kRecordNumberRole = Qt::UserRole;
    static constexpr int kSortKeyRole = SortKeyItem::kSortKeyRole;

    SearchPanel(const WindowState& state, const char* name, QWidget* parent);

    // Record numbers of the last search, in the order the search gave them.
    const std::vector<std::int64_t>& RecordNumbers() const { return recordNumbers_; }

    // The captions, lists and start page of the window's current language.
    virtual void ApplyLanguage() = 0;
    // Every drop-down list back to its first item.
    virtual void ResetCriteria() = 0;
    // The search of the panel's button.
    virtual void Search() = 0;

    // Shows the page of the selected row; nothing without a selection.
    void ShowSelectedRow();
    void ShowRow(const QTreeWidgetItem* row);
    void SetSearchFace(const QPixmap& face);
    // The keyboard goes to the search box.
    void FocusSearchBox();
    HtmlView* View() const { return view_; }
    // The name or subject of the row whose page the view shows; empty when
    // it shows another page.
    QString ShownRowText() const;

signals:
    void statusChanged(const QString& text);
    // The result last shown is gone (a search failed): nothing may still describe it.
    void resultWithdrawn();
    // A left click into the search box.
    void searchBoxClicked(QLineEdit* box);
    // A search started elsewhere (a domain popup) wants the panel in front.
    void wantsFront();

protected:
    // Set by the subclass while it builds its controls.
    QLineEdit* searchBox_ = nullptr;
    QTimer* typingPause_ = nullptr;
    bool typingSearch_ = false; // the search of a pause in typing is running
    PictureButton* searchButton_ = nullptr;
    QTreeWidget* list_ = nullptr;
    HtmlView* view_ = nullptr;
    QWidget* criteriaColumn_ = nullptr; // the splitter's left side
    QWidget* criteria_ = nullptr;       // the labels and boxes
    QScrollArea* criteriaArea_ = nullptr;

    const WindowState& state_;

    // Runs a search and shows what it found: the rows, the status line and the
    // boxes the result asks for. A search that failed leaves no trace of the
    // result before it: an empty list, the start page, and resultWithdrawn(). Returns true
    // when the result is shown.
    bool ShowSearchResult(const std::function<SearchResult()>& search);
    // Makes the search button, the result list and the page view, lays the
    // panel out and connects its controls, once the subclass has made its
    // criteria rows.
    void FinishControls(SearchPanelParts& parts, const char* buttonName, const char* listName,
                        const char* viewName);
    void LoadStartPage(const char* stem);
    void FitColumns();
    // The criteria column as wide as the placeholder and the labels of the
    // language and font need: "Search for company?" is never cut; and as
    // tall as its rows, which change with the captions and the rows shown.
    void FitCriteriaWidth();
    // The first column as wide as its header and the longest of `words`
    // (the company list's letters fit the 20 pixels it has at least).
    void FitTypeColumn(const QStringList& words);
    // Names the list, the page view and the search button for a screen
    // reader, and tells the list header's sort keys, in the window's language.
    void ApplyAccessibleNames(const char* listName, const char* viewName);
    // A third column of the list, the ads' date as stored: a click on its
    // header (or Ctrl+3) lists the newest first, again the oldest first, and
    // dates that do not parse go last either way.
    void AddDateColumn();
    // The date column as wide as its header and a date written dd.mm.yyyy.
    void FitDateColumn();
    // What a screen reader says for a row's type cell; the cell's text by default.
    virtual QString TypeCellName(const std::string& type) const;

    virtual bool IsPlaceholder(const QString& text) const = 0;
    virtual const char* StartPageStem() const = 0;
    // False when the page could not be read now (an import writes the file).
    virtual bool ShowPage(std::int64_t recordNumber) = 0;
    // The start page replaced a record's page.
    virtual void StartPageLoaded() {}
    // The user went into the page on purpose (Enter, a double click).
    virtual void PageOpened() {}
    // Shows a record's page that no row may hold (a profile seen before).
    void ShowRecord(std::int64_t recordNumber);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WireControls();
    void FillResultList(const SearchResult& result);
    void SortByColumn(int column);
    void AddSortKey(int column);
    bool ShowToolTip(QEvent* event);
    void EditedFromPlaceholder(const QString& text);
    void OpenRow(QTreeWidgetItem* row);

    std::vector<std::int64_t> recordNumbers_;
    int sortColumn_ = -1;
    int dateColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    std::int64_t shownRecord_ = -1; // the record whose page the view shows
    bool quietRowChange_ = false;   // a change of the current row that loads no page
    QString shownText_;             // the search box's text, and the one before its last change
    QString textBeforeEdit_;
};

} // namespace dorvanta
