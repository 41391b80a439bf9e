#pragma once

#include "data/language.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace dorvanta {

// The run-time items of the domain popups and of "New business ads" carry a
// hint: the group and domain of a category, the group line of a type item, or
// the group letter of an update item. It is kept in this dynamic property.
inline constexpr const char* kHintProperty = "hint";

QString MenuItemHint(const QAction* item);
// A category item also keeps its category's code, by which the quick search
// finds the section (the caption carries a mnemonic mark).
inline constexpr const char* kCodeProperty = "code";
QString MenuItemCode(const QAction* item);
void SetMenuItemHint(QAction* item, const QString& hint);

// Captions are shown as written: an "&" in a domain or category name is not a
// keyboard mnemonic. MenuText escapes a caption for a menu, MenuItemCaption
// gives it back as written, without the item's mnemonic mark.
QString MenuText(const QString& caption);
QString MenuItemCaption(const QAction* item);

// Removes every item of a menu; the items are deleted once control is back in
// the event loop, since one of them may be the item whose command runs.
void ClearMenu(QMenu* menu);

// The menus built from the domain resources: the company popup (groups,
// domains, categories), the opportunity popup (groups and ad types), the
// items of "New business ads", and the domain boxes of both panels.
class DomainMenus : public QObject
{
    Q_OBJECT

public:
    // The popups are made as children of `window`, so they carry its style
    // and can be found by their names.
    DomainMenus(QWidget* window, QMenu* newBusinessAds);

    QMenu* CompanyPopup() const { return Popup_Companies_Down; }
    QMenu* OpportunityPopup() const { return Popup_Internet_Down; }

    // Builds everything anew in `language`. Two halves, each on its own: a
    // failure in one leaves it as far as it got and still builds the other.
    void Build(Language language);

    // The update items of "New business ads" (the window disables them
    // while an update runs; items built meanwhile follow).
    void SetUpdateItemsEnabled(bool enabled);

signals:
    // An item of "New business ads" was chosen.
    void newAdsChosen(QAction* item);
    // The entries of the domain boxes ("All" first), emptied at the start of
    // a build and given whole at its end.
    void companyDomainsChanged(const QStringList& entries);
    void opportunityDomainsChanged(const QStringList& entries);
    // A category of the company popup: the domain's name and the category's code.
    void categoryChosen(const QString& domain, const QString& code);
    // A type of the opportunity popup: the group's line and the type's caption.
    void adTypeChosen(const QString& group, const QString& type);

private:
    void BuildCompanyHalf(Language language);
    void BuildOpportunityHalf(Language language);

    QMenu* Popup_Companies_Down;
    QMenu* Popup_Internet_Down;
    QMenu* newBusinessAds_;
    bool updateItemsEnabled_ = true;
};

} // namespace dorvanta
