#include "app/domain_menus.h"
#include "app/swallowed.h"

#include "app/button_faces.h"
#include "app/captions.h"
#include "app/mnemonics.h"
#include "app/windows1250.h"
#include "data/category_table.h"
#include "data/domain_tree.h"
#include "search/subdomains.h"

#include <QAction>
#include <QMenu>

namespace dorvanta {

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
    return item == nullptr ? QString() : WithoutMnemonic(item->text());
}

QString MenuItemCode(const QAction* item)
{
    return item ? item->property(kCodeProperty).toString() : QString();
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

DomainMenus::DomainMenus(QWidget* window, QMenu* newBusinessAds)
    : QObject(window), Popup_Companies_Down(new QMenu(window)), Popup_Internet_Down(new QMenu(window)),
      newBusinessAds_(newBusinessAds)
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
    emit companyDomainsChanged({});
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
            const SubdomainList categories = FillSubdomains(domain.line, CategoryTable::Builtin(), language);
            if (categories.names.empty()) {
                groupMenu->addAction(domainIcon, MenuText(domainCaption));
                continue;
            }
            QMenu* domainMenu = groupMenu->addMenu(domainIcon, MenuText(domainCaption));
            const QString hint = groupCaption + QLatin1Char(';') + domainCaption;
            for (std::size_t i = 0; i < categories.names.size(); ++i) {
                QAction* item =
                    domainMenu->addAction(categoryIcon, MenuText(Windows1250ToQString(categories.names[i])));
                SetMenuItemHint(item, hint);
                item->setProperty(kCodeProperty, Windows1250ToQString(categories.codes[i]));
                connect(item, &QAction::triggered, this, [this, domainCaption, item] {
                    emit categoryChosen(domainCaption, MenuItemCode(item));
                });
            }
        }
    }
    emit companyDomainsChanged(entries);
}

void DomainMenus::BuildOpportunityHalf(Language language)
{
    emit opportunityDomainsChanged({});
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
            connect(item, &QAction::triggered, this, [this, text, type] { emit adTypeChosen(text, type); });
        }
    }
    emit opportunityDomainsChanged(entries);

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
