#include "app/domain_menus.h"
#include "app/swallowed.h"

#include "app/button_faces.h"
#include "app/captions.h"
#include "app/company_panel.h"
#include "app/opportunity_panel.h"
#include "app/windows1250.h"
#include "data/category_table.h"
#include "data/domain_tree.h"

#include <QAction>
#include <QMenu>

namespace dorvanta {

static QIcon MenuIcon(int number)
{
    return QIcon(ResourcePicture(QStringLiteral("menu_%1.png").arg(number, 2, 10, QLatin1Char('0'))));
}

QString MenuItemHint(const QAction* item)
{
    return item ? item->property(kHintProperty).toString() : QString();
}

void SetMenuItemHint(QAction* item, const QString& hint)
{
    item->setProperty(kHintProperty, hint);
}

QString MenuText(const QString& caption)
{
    QString text = caption;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString MenuItemCaption(const QAction* item)
{
    if (item == nullptr) {
        return {};
    }
    QString text = item->text();
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

void ClearMenu(QMenu* menu)
{
    const QList<QAction*> items = menu->actions();
    for (QAction* item : items) {
        menu->removeAction(item);
        if (QMenu* submenu = item->menu<QMenu*>(); submenu != nullptr && submenu->parent() == menu) {
            submenu->deleteLater();
        } else if (item->parent() == menu) {
            item->deleteLater();
        }
    }
}

DomainMenus::DomainMenus(QWidget* window, QMenu* newBusinessAds, CompanyPanel& companies,
                         OpportunityPanel& opportunities)
    : QObject(window), Popup_Companies_Down(new QMenu(window)), Popup_Internet_Down(new QMenu(window)),
      newBusinessAds_(newBusinessAds), companies_(companies), opportunities_(opportunities)
{
    Popup_Companies_Down->setObjectName(QStringLiteral("Popup_Companies_Down"));
    Popup_Internet_Down->setObjectName(QStringLiteral("Popup_Internet_Down"));
}

void DomainMenus::Build(Language language)
{
    try {
        BuildCompanyHalf(language);
    } catch (...) {
        WarnSwallowed("building the company domain menu");
    }
    try {
        BuildOpportunityHalf(language);
    } catch (...) {
        WarnSwallowed("building the business ad domain menu");
    }
}

void DomainMenus::BuildCompanyHalf(Language language)
{
    companies_.SetDomainEntries({});
    ClearMenu(Popup_Companies_Down);

    const DomainTree& tree = DomainTree::Domains(language);
    // Each picture is read once per build, not once per item.
    const QIcon groupIcon = MenuIcon(5);
    const QIcon domainIcon = MenuIcon(6);
    const QIcon categoryIcon = MenuIcon(7);
    QStringList entries{QString::fromLatin1(CaptionsOf(language).all)};
    for (const DomainGroup& group : tree.groups()) {
        const QString groupCaption = Windows1250ToQString(group.line);
        entries.append(groupCaption);
        QMenu* groupMenu = Popup_Companies_Down->addMenu(groupIcon, MenuText(groupCaption));
        for (const DomainEntry& domain : group.domains) {
            entries.append(Windows1250ToQString(domain.line));
            const QString domainCaption = Windows1250ToQString(domain.name);
            const std::vector<std::string> names =
                CategoryTable::Builtin().SubdomainNames(domain.name, language);
            if (names.empty()) {
                groupMenu->addAction(domainIcon, MenuText(domainCaption));
                continue;
            }
            QMenu* domainMenu = groupMenu->addMenu(domainIcon, MenuText(domainCaption));
            const QString hint = groupCaption + QLatin1Char(';') + domainCaption;
            for (const std::string& name : names) {
                QAction* item = domainMenu->addAction(categoryIcon, MenuText(Windows1250ToQString(name)));
                SetMenuItemHint(item, hint);
                connect(item, &QAction::triggered, &companies_,
                        [this, item] { companies_.SearchCategory(item); });
            }
        }
    }
    companies_.SetDomainEntries(entries);
}

void DomainMenus::BuildOpportunityHalf(Language language)
{
    opportunities_.SetDomainEntries({});
    ClearMenu(Popup_Internet_Down);

    // "All", then the group lines: the items of the box, and from the second
    // on the groups of the popup and of "New business ads".
    QStringList entries{QString::fromLatin1(CaptionsOf(language).all)};
    entries.append(Windows1250ToQStringList(DomainTree::AdGroups(language).GroupLines()));
    const QStringList types =
        language == Language::EN
            ? QStringList{QStringLiteral("Offers"), QStringLiteral("Requests"), QStringLiteral("Services")}
            : QStringList{QStringLiteral("Oferte"), QStringLiteral("Cereri"), QStringLiteral("Servicii")};
    const QIcon groupIcon = MenuIcon(5);
    const QIcon typeIcon = MenuIcon(8);
    for (qsizetype i = 1; i < entries.size(); ++i) {
        const QString& text = entries[i];
        QMenu* group = Popup_Internet_Down->addMenu(groupIcon, MenuText(text));
        for (const QString& type : types) {
            QAction* item = group->addAction(typeIcon, type);
            SetMenuItemHint(item, text);
            connect(item, &QAction::triggered, &opportunities_,
                    [this, item] { opportunities_.SearchType(item); });
        }
    }
    opportunities_.SetDomainEntries(entries);

    ClearMenu(newBusinessAds_);
    QAction* all =
        newBusinessAds_->addAction(groupIcon, QString::fromLatin1(CaptionsOf(language).allCategories));
    SetMenuItemHint(all, QStringLiteral("all"));
    connect(all, &QAction::triggered, this, [this, all] { emit newAdsChosen(all); });
    newBusinessAds_->addSeparator();
    const QIcon domainIcon = MenuIcon(6);
    for (qsizetype i = 1; i < entries.size(); ++i) {
        QAction* item = newBusinessAds_->addAction(domainIcon, MenuText(entries[i]));
        SetMenuItemHint(item, QString(QLatin1Char(GroupLetter(static_cast<std::size_t>(i - 1)))));
        connect(item, &QAction::triggered, this, [this, item] { emit newAdsChosen(item); });
    }
    // Items built during an update (a language switch) are as unavailable as the old ones.
    SetUpdateItemsEnabled(updateItemsEnabled_);
}

void DomainMenus::SetUpdateItemsEnabled(bool enabled)
{
    updateItemsEnabled_ = enabled;
    for (QAction* item : newBusinessAds_->actions()) {
        if (!item->isSeparator()) {
            item->setEnabled(enabled);
        }
    }
}

} // namespace dorvanta
