// The "My companies" panel's lists: reading the chosen one anew, with its
// names looked up in database.db, and the commands that change them.
#include "app/mine_panel.h"

#include "app/company_page_frame.h"
#include "app/html_view.h"
#include "app/info_box.h"
#include "app/list_menu.h"
#include "app/mine_layer.h"
#include "app/mine_panel_texts.h"
#include "app/windows1250.h"
#include "data/messages.h"
#include "data/record_file.h"
#include "mine/mine_store.h"
#include "search/reading_hold.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <exception>

namespace dorvanta {

void MinePanel::ChooseList(const std::string& storedName)
{
    listName_ = storedName;
    Refresh();
}

void MinePanel::Refresh()
{
    // Showing a row may write (a note left waiting), which asks for a
    // refresh while the rows are being rebuilt: that one comes after.
    if (refreshing_) {
        refreshAgain_ = true;
        return;
    }
    refreshing_ = true;
    RefreshRows();
    refreshing_ = false;
    if (refreshAgain_) {
        refreshAgain_ = false;
        QTimer::singleShot(0, this, &MinePanel::Refresh);
    }
}

void MinePanel::RefreshRows()
{
    std::vector<MineList> lists;
    std::vector<MineEntry> stored;
    std::vector<std::string> notes;
    const bool read = mine_.Read([&](MineStore& store) {
        lists = store.Lists();
        if (!store.HasList(listName_)) {
            listName_ = std::string(kFavouritesList);
        }
        stored = store.Entries(listName_).value_or(std::vector<MineEntry>{});
        notes.clear();
        for (const MineEntry& entry : stored) {
            notes.push_back(store.Note(entry.name).value_or(std::string{}));
        }
    });
    const QString keep = ListView_Mine->currentItem() != nullptr
                             ? QString::fromStdString(EntryOf(ListView_Mine->currentItem())->company.name)
                             : QString();
    const int keepIndex = ListView_Mine->indexOfTopLevelItem(ListView_Mine->currentItem());
    entries_.clear();
    ClearRows();
    // Without the file (damaged, locked, of a newer program) nothing can be
    // chosen, made or written; the page says why.
    for (QPushButton* button : {Button_Mine_NewList, Button_Mine_Export}) {
        button->setEnabled(read);
    }
    if (!read) {
        ComboBox_Mine_List->clear();
        Button_Mine_DeleteList->setEnabled(false);
        FillRows();
        view_->setPlainText(mine_.ProblemText());
        frame_->ShowingNoCompany();
        shownName_.clear();
        return;
    }
    {
        const QSignalBlocker blocker(ComboBox_Mine_List);
        ComboBox_Mine_List->clear();
        for (const MineList& list : lists) {
            ComboBox_Mine_List->addItem(ListDisplayName(list.name, state_.language) +
                                            QStringLiteral(" (%1)").arg(list.entries),
                                        QString::fromStdString(list.name));
        }
        ComboBox_Mine_List->setCurrentIndex(
            std::max(0, ComboBox_Mine_List->findData(QString::fromStdString(listName_))));
    }
    Button_Mine_DeleteList->setEnabled(listName_ != kFavouritesList);

    // Looked up again whenever database.db has changed: an update or an
    // import may have replaced, renumbered or blanked any of them.
    std::vector<std::string> names;
    for (const MineEntry& entry : stored) {
        names.push_back(entry.name);
    }
    std::vector<ListedCompany> found;
    directoryRead_ = false;
    try {
        ReadingHold hold;
        if (!hold.TryHold(ResolveFile(state_.programFolder, kCompanyFileName))) {
            emit statusChanged(Windows1250ToQString(DatabaseBusyText(state_.language)));
        } else if (!names.empty()) {
            found = lookups_.LookUp(state_.programFolder, names);
            directoryRead_ = true;
        } else {
            directoryRead_ = true;
        }
    } catch (const std::exception& error) {
        emit statusChanged(QString::fromLatin1(MineTextsOf(state_.language).cannotRead)
                               .arg(QString::fromLocal8Bit(error.what())));
    }
    for (std::size_t i = 0; i < stored.size(); ++i) {
        Entry entry;
        if (directoryRead_ && i < found.size()) {
            entry.company = std::move(found[i]);
        } else {
            entry.company.name = stored[i].name;
        }
        entry.note = notes[i];
        entry.addedAt = stored[i].addedAt;
        entries_.push_back(std::move(entry));
    }
    FillRows();

    // The entry shown before stays current; one removed gives its place to the next.
    QTreeWidgetItem* current = nullptr;
    for (int i = 0; i < ListView_Mine->topLevelItemCount() && !keep.isEmpty(); ++i) {
        QTreeWidgetItem* row = ListView_Mine->topLevelItem(i);
        if (QString::fromStdString(EntryOf(row)->company.name) == keep) {
            current = row;
        }
    }
    if (current == nullptr && ListView_Mine->topLevelItemCount() > 0) {
        current =
            ListView_Mine->topLevelItem(std::clamp(keepIndex, 0, ListView_Mine->topLevelItemCount() - 1));
    }
    ApplyFilter();
    if (current != nullptr && !current->isHidden()) {
        ListView_Mine->setCurrentItem(current);
        ShowEntryPage(*EntryOf(current));
    } else if (ListView_Mine->currentItem() == nullptr) {
        ShowEmptyPage();
    }
}

void MinePanel::ClearRows()
{
    // The rows point into entries_: they go before it changes.
    const QSignalBlocker blocker(ListView_Mine);
    ListView_Mine->clear();
}

void MinePanel::NewList()
{
    const std::string name = AskNewList(mine_, state_.language, this);
    if (!name.empty()) {
        ChooseList(name);
    }
}

void MinePanel::DeleteList()
{
    if (listName_ == kFavouritesList) {
        return;
    }
    const QString shown = ListDisplayName(listName_, state_.language);
    if (!AskYesNo(this, QString::fromLatin1(MineTextsOf(state_.language).askDelete).arg(shown))) {
        return;
    }
    const std::string doomed = listName_;
    listName_ = std::string(kFavouritesList);
    if (!mine_.Write([&](MineStore& store) { store.DeleteList(doomed); })) {
        listName_ = doomed;
    }
    Refresh();
}

void MinePanel::RemoveCurrentEntry()
{
    const Entry* entry = EntryOf(ListView_Mine->currentItem());
    if (entry == nullptr) {
        return;
    }
    // Nothing is asked: the company can be put back from its page.
    const std::string name = entry->company.name;
    mine_.Write([&](MineStore& store) { store.Remove(listName_, name); });
    if (!isVisible()) {
        Refresh();
    }
}

} // namespace dorvanta
