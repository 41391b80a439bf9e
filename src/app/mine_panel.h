#pragma once

#include "app/sort_key_item.h"
#include "app/window_state.h"
#include "mine/company_lookup.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;

namespace dorvanta {

class CompanyPageFrame;
class HtmlView;
class MineLayer;

// "Panel_Mine": one of the user's lists with its notes, filtered, sorted and
// opened. The left column chooses the list and shows its entries; the right
// side shows the opened entry's company page.
class MinePanel : public QWidget
{
    Q_OBJECT

public:
    // What a row keeps beside its texts.
    static constexpr int kEntryRole = Qt::UserRole;
    static constexpr int kSortKeyRole = SortKeyItem::kSortKeyRole;

    // One entry of the shown list, as database.db holds its company now.
    struct Entry
    {
        ListedCompany company;
        std::string note; // UTF-8
        std::int64_t addedAt = 0;
    };

    MinePanel(const WindowState& state, MineLayer& mine, QWidget* parent);

    void ApplyLanguage();
    // Reads the lists and the chosen list anew and looks its names up in
    // database.db, keeping the chosen list and entry where they still are.
    void Refresh();
    // The window's own update or import has written database.db.
    void ForgetDirectory() { lookups_.Invalidate(); }
    // The keyboard goes to the list of entries.
    void FocusList();

    // The stored name of the shown list (Favourites at first).
    const std::string& ListName() const { return listName_; }
    void ChooseList(const std::string& storedName);
    const std::vector<Entry>& Entries() const { return entries_; }

    HtmlView* View() const { return view_; }
    // The star, the lists and the note around the page.
    CompanyPageFrame& PageFrame() { return *frame_; }
    // The shown list as a table (company, address, phone, note) in a view of
    // its own, never shown, for printing and saving as PDF.
    HtmlView* PrintSheet();
    // The title a printed or saved list goes by.
    QString SheetTitle() const;
    // The name of the entry whose page the view shows; empty for none.
    QString ShownEntryText() const;

    // The commands of the column, also for the keyboard and the tests.
    void NewList();
    void DeleteList();
    void RemoveCurrentEntry();
    void ExportList();

signals:
    void statusChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildColumn(QSplitter* splitter);
    void RefreshRows();
    void ClearRows();
    void FillRows();
    void ApplyFilter();
    void SortByColumn(int column);
    void OpenRow(QTreeWidgetItem* row);
    const Entry* EntryOf(const QTreeWidgetItem* row) const;
    // The page side: the entry's company page or, for a company no longer in
    // database.db, a short page saying so with its note.
    void ShowEntryPage(const Entry& entry);
    void ShowEmptyPage();
    QString RowName(const Entry& entry) const;

    const WindowState& state_;
    MineLayer& mine_;
    std::string listName_;
    std::vector<Entry> entries_;
    // False when database.db could not be read now: no entry is called gone then.
    bool directoryRead_ = false;
    std::string shownName_; // the entry whose page the view shows
    std::optional<std::uint64_t> shownRecord_;
    CompanyLookupCache lookups_;
    bool refreshing_ = false;
    bool refreshAgain_ = false;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;

    // Controls, named as their object names.
    QLabel* Panel_Mine_Header = nullptr;
    QLabel* Label_Mine_List = nullptr;
    QComboBox* ComboBox_Mine_List = nullptr;
    QPushButton* Button_Mine_NewList = nullptr;
    QPushButton* Button_Mine_DeleteList = nullptr;
    QPushButton* Button_Mine_Export = nullptr;
    QLabel* Label_Mine_Filter = nullptr;
    QLineEdit* Edit_Mine_Filter = nullptr;
    QTreeWidget* ListView_Mine = nullptr;
    QMenu* Popup_Mine_Row = nullptr;
    HtmlView* view_ = nullptr;
    HtmlView* sheet_ = nullptr;
    CompanyPageFrame* frame_ = nullptr;
};

} // namespace dorvanta
