// The company result list's context menu and keys, and Favourites.
#include "app/company_actions.h"

#include "app/company_actions_texts.h"
#include "app/list_menu.h"
#include "app/mine_layer.h"
#include "app/mnemonics.h"
#include "app/window_state.h"
#include "import/record_import.h"
#include "mine/company_export.h"
#include "mine/mine_store.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QShortcut>
#include <QTreeWidget>

#include <algorithm>

namespace dorvanta {

CompanyActions::CompanyActions(const WindowState& state, QTreeWidget* list, QWidget* panel)
    : QObject(panel), state_(state), list_(list), panel_(panel), menu_(new QMenu(panel)),
      lists_(new QMenu(menu_))
{
    menu_->setObjectName(QStringLiteral("CompanyRowMenu"));
    lists_->setObjectName(QStringLiteral("ListsMenu"));
    lists_->menuAction()->setObjectName(QStringLiteral("ListsItem"));
    // Filled when it opens, so it shows what another program changed meanwhile.
    connect(lists_, &QMenu::aboutToShow, this, [this] {
        if (mine_ != nullptr && !listsKey_.empty()) {
            FillListMenu(lists_, *mine_, listsKey_, state_.language, panel_);
            AssignMnemonics(lists_);
        }
    });
    // Right click on a row (the viewport gets it) and the Menu key (the list).
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    // Shift+F10 opens a context menu wherever the desktop's conventions are kept.
    auto* menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), list_);
    menuKey->setContext(Qt::WidgetShortcut);
    connect(menuKey, &QShortcut::activated, this, &CompanyActions::OpenMenuAtCurrentRow);
    auto* copyKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), panel_);
    copyKey->setObjectName(QStringLiteral("CopyCardKey"));
    copyKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(copyKey, &QShortcut::activated, this, &CompanyActions::CopyContactCard);
    auto* exportKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), panel_);
    exportKey->setObjectName(QStringLiteral("ExportResultsKey"));
    exportKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(exportKey, &QShortcut::activated, this, &CompanyActions::ExportResults);
}

bool CompanyActions::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ContextMenu || (watched != list_ && watched != list_->viewport())) {
        return false;
    }
    const auto* menuEvent = static_cast<QContextMenuEvent*>(event);
    if (menuEvent->reason() == QContextMenuEvent::Mouse) {
        // The row under the pointer becomes current, so the menu is about it;
        // below the last row the menu has only what needs no row, and the
        // page being read stays.
        QTreeWidgetItem* row = list_->itemAt(list_->viewport()->mapFromGlobal(menuEvent->globalPos()));
        if (row != nullptr) {
            list_->setCurrentItem(row);
        }
        OpenMenu(menuEvent->globalPos(), row != nullptr);
    } else {
        OpenMenuAtCurrentRow();
    }
    return true;
}

void CompanyActions::OpenMenuAtCurrentRow()
{
    QTreeWidgetItem* row = list_->currentItem();
    QPoint local(0, 0);
    if (row != nullptr) {
        list_->scrollToItem(row);
        const QRect rect = list_->visualItemRect(row);
        local = QPoint(rect.left() + rect.height(), rect.bottom());
    }
    OpenMenu(list_->viewport()->mapToGlobal(local), row != nullptr);
    // From the keyboard the first item is ready for Enter.
    menu_->setActiveAction(menu_->actions().front());
}

void CompanyActions::OpenMenu(const QPoint& globalPos, bool forRow)
{
    FillMenu(forRow && list_->currentItem() != nullptr);
    menu_->popup(globalPos);
}

void CompanyActions::FillMenu(bool hasRow)
{
    const ActionTexts& t = ActionTextsOf(state_.language);
    menu_->clear();

    // Whether the company is a favourite: by its name key, as the lists keep
    // it (the row shows the name title-cased, so the record says).
    bool favourite = false;
    bool listsUsable = false;
    std::string key;
    const std::optional<ExportCompany> company =
        hasRow && mine_ != nullptr ? CurrentCompany(false) : std::nullopt;
    if (company) {
        key = CompanyNameKey(company->record.Company);
        listsUsable = mine_->Read([&](MineStore& store) {
            const std::vector<std::string> lists = store.ListsOf(key);
            favourite = std::find(lists.begin(), lists.end(), kFavouritesList) != lists.end();
        });
    }
    QAction* favouriteItem =
        menu_->addAction(QString::fromLatin1(favourite ? t.removeFavourite : t.addFavourite));
    favouriteItem->setObjectName(QStringLiteral("FavouritesItem"));
    favouriteItem->setEnabled(listsUsable);
    connect(favouriteItem, &QAction::triggered, this, &CompanyActions::ToggleFavourite);

    lists_->setTitle(QString::fromLatin1(t.lists));
    lists_->setEnabled(listsUsable);
    listsKey_ = key;
    menu_->addMenu(lists_);
    menu_->addSeparator();

    QAction* copy = menu_->addAction(QString::fromLatin1(t.copyCard));
    copy->setObjectName(QStringLiteral("CopyCardItem"));
    copy->setEnabled(hasRow);
    connect(copy, &QAction::triggered, this, &CompanyActions::CopyContactCard);
    QAction* vcard = menu_->addAction(QString::fromLatin1(t.saveVCard));
    vcard->setObjectName(QStringLiteral("SaveVCardItem"));
    vcard->setEnabled(hasRow);
    connect(vcard, &QAction::triggered, this, &CompanyActions::SaveVCard);
    menu_->addSeparator();

    QAction* exportItem = menu_->addAction(QString::fromLatin1(t.exportResults));
    exportItem->setObjectName(QStringLiteral("ExportResultsItem"));
    exportItem->setEnabled(list_->topLevelItemCount() > 0);
    connect(exportItem, &QAction::triggered, this, &CompanyActions::ExportResults);
}

void CompanyActions::ToggleFavourite()
{
    const std::optional<ExportCompany> company = mine_ != nullptr ? CurrentCompany(false) : std::nullopt;
    if (!company) {
        return;
    }
    const std::string key = CompanyNameKey(company->record.Company);
    mine_->Write([&](MineStore& store) {
        if (!store.Remove(kFavouritesList, key)) {
            store.Add(kFavouritesList, key);
        }
    });
}

} // namespace dorvanta
