#include "app/list_menu.h"

#include "app/info_box.h"
#include "app/mine_layer.h"
#include "mine/mine_store.h"

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <vector>

namespace dorvanta {

QString ListDisplayName(const std::string& storedName, Language language)
{
    if (storedName == kFavouritesList) {
        return language == Language::RO ? QStringLiteral("Favorite") : QStringLiteral("Favourites");
    }
    return QString::fromStdString(storedName);
}

std::string AskNewList(MineLayer& mine, Language language, QWidget* dialogParent)
{
    const bool ro = language == Language::RO;
    const std::optional<QString> typed =
        AskText(dialogParent, ro ? QStringLiteral("Lista noua") : QStringLiteral("New list"),
                ro ? QStringLiteral("Numele listei:") : QStringLiteral("Name of the list:"));
    if (!typed) {
        return {};
    }
    const std::string name = typed->simplified().toStdString();
    if (name.empty()) {
        return {};
    }
    bool made = false;
    if (!mine.Write([&](MineStore& store) { made = store.CreateList(name); })) {
        return {};
    }
    if (!made) {
        ShowInformation(
            dialogParent,
            ro ? QStringLiteral("Exista deja o lista cu numele \"%1\".").arg(QString::fromStdString(name))
               : QStringLiteral("There is already a list named \"%1\".").arg(QString::fromStdString(name)));
        return {};
    }
    return name;
}

void FillListMenu(QMenu* menu, MineLayer& mine, const std::string& companyKey, Language language,
                  QWidget* dialogParent)
{
    menu->clear();
    const bool ro = language == Language::RO;
    std::vector<MineList> lists;
    std::vector<std::string> holding;
    const bool read = mine.Read([&](MineStore& store) {
        lists = store.Lists();
        holding = store.ListsOf(companyKey);
    });
    if (!read) {
        QAction* none = menu->addAction(ro ? QStringLiteral("Listele nu pot fi folosite")
                                           : QStringLiteral("The lists cannot be used"));
        none->setEnabled(false);
        return;
    }
    int index = 0;
    for (const MineList& list : lists) {
        QAction* item = menu->addAction(ListDisplayName(list.name, language));
        item->setObjectName(QStringLiteral("ListItem%1").arg(++index));
        item->setCheckable(true);
        const bool on = std::find(holding.begin(), holding.end(), list.name) != holding.end();
        item->setChecked(on);
        QObject::connect(item, &QAction::triggered, menu, [&mine, companyKey, name = list.name, on] {
            mine.Write([&](MineStore& store) {
                if (on) {
                    store.Remove(name, companyKey);
                } else {
                    store.Add(name, companyKey);
                }
            });
        });
    }
    menu->addSeparator();
    QAction* fresh = menu->addAction(ro ? QStringLiteral("Lista noua...") : QStringLiteral("New list..."));
    fresh->setObjectName(QStringLiteral("NewList1"));
    QObject::connect(fresh, &QAction::triggered, menu, [&mine, companyKey, language, dialogParent] {
        const std::string name = AskNewList(mine, language, dialogParent);
        if (!name.empty()) {
            mine.Write([&](MineStore& store) { store.Add(name, companyKey); });
        }
    });
}

} // namespace dorvanta
