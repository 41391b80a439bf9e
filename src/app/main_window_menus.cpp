// The popups of the menu bar, the domain menus built from the domain
// resources, and the commands behind the items: help and submission pages,
// printing, the about window and the two updates.
#include "app/main_window_menus.h"
#include "app/main_window.h"

#include "app/about_window.h"
#include "app/button_faces.h"
#include "app/html_view.h"
#include "app/info_box.h"
#include "app/page_printer.h"
#include "app/update_form.h"
#include "app/windows1250.h"
#include "data/category_table.h"
#include "data/messages.h"
#include "data/resources.h"
#include "data/text.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QSignalBlocker>

namespace dorvanta {

namespace {

QIcon MenuIcon(int number)
{
    return QIcon(ResourcePicture(QStringLiteral("menu_%1.png").arg(number, 2, 10, QLatin1Char('0'))));
}

template <typename T> T* Named(T* object, const char* name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

// A submenu whose item and menu both carry the name, so either can be found by it.
QMenu* AddNamedMenu(QMenu* parent, const char* name, int icon, const char* caption)
{
    QMenu* menu = parent->addMenu(MenuIcon(icon), QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

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

void ClearMenu(QMenu* menu, std::vector<QPointer<QObject>>* holdBack)
{
    const QList<QAction*> items = menu->actions();
    for (QAction* item : items) {
        menu->removeAction(item);
        QObject* owned = nullptr;
        if (QMenu* submenu = item->menu<QMenu*>(); submenu != nullptr && submenu->parent() == menu) {
            owned = submenu;
        } else if (item->parent() == menu) {
            owned = item;
        }
        if (owned == nullptr) {
            continue;
        }
        if (holdBack != nullptr) {
            holdBack->emplace_back(owned);
        } else {
            owned->deleteLater();
        }
    }
}

void TForm_Main::BuildPopups()
{
    Popup_Companies_Down = Named(new QMenu(this), "Popup_Companies_Down");
    Popup_Internet_Down = Named(new QMenu(this), "Popup_Internet_Down");

    Popup_Update = Named(new QMenu(this), "Popup_Update");
    NewCompanies1 = AddNamedMenu(Popup_Update, "NewCompanies1", 12, "New Companies");
    Allcompanies1 =
        Named(NewCompanies1->addAction(MenuIcon(5), QStringLiteral("All companies")), "Allcompanies1");
    connect(Allcompanies1, &QAction::triggered, this, &TForm_Main::Allcompanies1Click);
    Newbusinessads1 = AddNamedMenu(Popup_Update, "Newbusinessads1", 12, "New business ads");

    Popup_Insert = Named(new QMenu(this), "Popup_Insert");
    Companiata1 = Named(Popup_Insert->addAction(MenuIcon(10), QStringLiteral("Your company")), "Companiata1");
    Yourbusinessadd1 =
        Named(Popup_Insert->addAction(MenuIcon(10), QStringLiteral("Your business ad")), "Yourbusinessadd1");
    N2 = Named(Popup_Insert->addSeparator(), "N2");
    Yourbanner1 = Named(Popup_Insert->addAction(MenuIcon(11), QStringLiteral("Your banner")), "Yourbanner1");
    connect(Companiata1, &QAction::triggered, this, &TForm_Main::Companiata1Click);
    connect(Yourbusinessadd1, &QAction::triggered, this, &TForm_Main::Yourbusinessadd1Click);
    connect(Yourbanner1, &QAction::triggered, this, &TForm_Main::Yourbanner1Click);

    Popup_Settings = Named(new QMenu(this), "Popup_Settings");
    Language1 = AddNamedMenu(Popup_Settings, "Language1", 9, "Language");
    English1 = Named(Language1->addAction(MenuIcon(9), QStringLiteral("English")), "English1");
    Romana1 = Named(Language1->addAction(MenuIcon(9), QStringLiteral("Romana")), "Romana1");
    Pint1 = Named(Popup_Settings->addAction(MenuIcon(15), QStringLiteral("Print")), "Pint1");
    connect(English1, &QAction::triggered, this, &TForm_Main::English1Click);
    connect(Romana1, &QAction::triggered, this, &TForm_Main::Romana1Click);
    connect(Pint1, &QAction::triggered, this, &TForm_Main::Pint1Click);

    Popup_Help = Named(new QMenu(this), "Popup_Help");
    Content1 = Named(Popup_Help->addAction(MenuIcon(13), QStringLiteral("Content")), "Content1");
    Popup_Help->addSeparator();
    AboutDorvanta1 = Named(Popup_Help->addAction(MenuIcon(14), QStringLiteral("About")), "AboutDorvanta1");
    connect(Content1, &QAction::triggered, this, &TForm_Main::Content1Click);
    connect(AboutDorvanta1, &QAction::triggered, this, &TForm_Main::AboutDorvanta1Click);
}

void TForm_Main::BuildDomainMenus()
{
    // Two halves, each on its own: a failure in one leaves it as far as it got
    // and still builds the other.
    try {
        BuildCompanyDomainHalf();
    } catch (...) {
    }
    try {
        BuildOpportunityDomainHalf();
    } catch (...) {
    }
}

void TForm_Main::BuildCompanyDomainHalf()
{
    const QSignalBlocker blocker(ComboBox_Companies_Domain);
    ComboBox_Companies_Domain->clear();
    ClearMenu(Popup_Companies_Down, HoldBackDuringUpdate());

    const std::vector<std::string> lines = ResourceLines(Pick(currentLanguage_, "domenii_en", "domenii_ro"));
    // Each picture is read once per build, not once per item.
    const QIcon groupIcon = MenuIcon(5);
    const QIcon domainIcon = MenuIcon(6);
    const QIcon categoryIcon = MenuIcon(7);
    QStringList entries{QStringLiteral("All")};
    QMenu* group = nullptr;
    QString groupCaption;
    for (const std::string& line : lines) {
        const QString text = Windows1250ToQString(line);
        entries.append(text);
        if (!line.starts_with(' ')) {
            group = Popup_Companies_Down->addMenu(groupIcon, MenuText(text));
            groupCaption = text;
            continue;
        }
        if (group == nullptr) {
            // A domain before any group has no place in the tree.
            continue;
        }
        const std::string_view domainName = Trim(line);
        const QString domainCaption = Windows1250ToQString(domainName);
        const std::vector<std::string> names =
            CategoryTable::Builtin().SubdomainNames(domainName, currentLanguage_);
        if (names.empty()) {
            group->addAction(domainIcon, MenuText(domainCaption));
            continue;
        }
        QMenu* domain = group->addMenu(domainIcon, MenuText(domainCaption));
        const QString hint = groupCaption + QLatin1Char(';') + domainCaption;
        for (const std::string& name : names) {
            QAction* item = domain->addAction(categoryIcon, MenuText(Windows1250ToQString(name)));
            SetMenuItemHint(item, hint);
            connect(item, &QAction::triggered, this, [this, item] { CompanyMenuItemClick(item); });
        }
    }
    ComboBox_Companies_Domain->addItems(entries);
    ComboBox_Companies_Domain->setCurrentIndex(0);
}

void TForm_Main::BuildOpportunityDomainHalf()
{
    const QSignalBlocker blocker(ComboBox_Internet_Domain);
    ComboBox_Internet_Domain->clear();
    ClearMenu(Popup_Internet_Down, HoldBackDuringUpdate());

    // "All", then the group lines: the items of the box, and from the second
    // on the groups of the popup and of "New business ads".
    const QStringList entries = Windows1250ToQStringList(OpportunityDomainList(currentLanguage_));
    const QStringList types =
        currentLanguage_ == Language::EN
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
            connect(item, &QAction::triggered, this, [this, item] { OpportunityMenuItemClick(item); });
        }
    }
    ComboBox_Internet_Domain->addItems(entries);
    ComboBox_Internet_Domain->setCurrentIndex(0);

    ClearMenu(Newbusinessads1, HoldBackDuringUpdate());
    QAction* all = Newbusinessads1->addAction(groupIcon, QStringLiteral("All categories"));
    SetMenuItemHint(all, QStringLiteral("all"));
    connect(all, &QAction::triggered, this, [this, all] { NewAdsItemClick(all); });
    Newbusinessads1->addSeparator();
    const QIcon domainIcon = MenuIcon(6);
    for (qsizetype i = 1; i < entries.size(); ++i) {
        QAction* item = Newbusinessads1->addAction(domainIcon, MenuText(entries[i]));
        SetMenuItemHint(item, QString(QChar(static_cast<char16_t>(u'a' + i - 1))));
        connect(item, &QAction::triggered, this, [this, item] { NewAdsItemClick(item); });
    }
    // Items built during an update (a language switch) are as unavailable as the old ones.
    SetUpdateItemsEnabled(updateItemsEnabled_);
}

std::vector<QPointer<QObject>>* TForm_Main::HoldBackDuringUpdate()
{
    return updateItemsEnabled_ ? nullptr : &heldBackMenuItems_;
}

void TForm_Main::SetUpdateItemsEnabled(bool enabled)
{
    updateItemsEnabled_ = enabled;
    if (enabled) {
        // Posted from inside the update's command, so they go only once that
        // command has returned to the event loop.
        for (const QPointer<QObject>& item : heldBackMenuItems_) {
            if (item) {
                item->deleteLater();
            }
        }
        heldBackMenuItems_.clear();
    }
    if (Allcompanies1 != nullptr) {
        Allcompanies1->setEnabled(enabled);
    }
    if (Newbusinessads1 != nullptr) {
        for (QAction* item : Newbusinessads1->actions()) {
            if (!item->isSeparator()) {
                item->setEnabled(enabled);
            }
        }
    }
}

void TForm_Main::NewAdsItemClick(QAction* item)
{
    if (updateForm_ == nullptr) {
        return;
    }
    updateForm_->FillDomainList();
    updateForm_->CheckGroupsOfHint(MenuItemHint(item));
    updateForm_->Button_UpdateClick();
}

void TForm_Main::Allcompanies1Click()
{
    if (updateForm_ != nullptr) {
        updateForm_->UpdateCompanies();
    }
}

void TForm_Main::ShowHelpPage(const char* englishFile, const char* romanianFile)
{
    BringToFront(Panel_Help);
    const std::filesystem::path path =
        programFolder_ / "Help" / Pick(currentLanguage_, englishFile, romanianFile);
    Web_Help->NavigateToFile(QString::fromStdU16String(path.u16string()));
    currentView_ = 3;
}

void TForm_Main::Content1Click()
{
    ShowHelpPage("index_en.htm", "index_ro.htm");
}

void TForm_Main::Companiata1Click()
{
    ShowHelpPage("einserare_companie.htm", "inserare_companie.htm");
}

void TForm_Main::Yourbusinessadd1Click()
{
    ShowHelpPage("eanunt.htm", "anunt.htm");
}

void TForm_Main::Yourbanner1Click()
{
    ShowHelpPage("ebanner.htm", "banner.htm");
}

void TForm_Main::Pint1Click()
{
    HtmlView* view = nullptr;
    switch (currentView_) {
    case 1:
        view = Web_Companies;
        break;
    case 2:
        view = Web_Internet;
        break;
    case 3:
        view = Web_Help;
        break;
    default:
        ShowInformation(this, QString::fromLatin1(kCannotDeterminePrintText));
        return;
    }
    // The header's window title is the page's own title where it has one.
    const QString title = view->documentTitle().isEmpty() ? windowTitle() : view->documentTitle();
    PrintView(*view, title);
}

void TForm_Main::AboutDorvanta1Click()
{
    TForm_About about(this);
    about.exec();
}

} // namespace dorvanta
