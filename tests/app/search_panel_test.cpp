// The two search panels driven through the window: searches from the button
// and from Enter, the status line and the information boxes, placeholders,
// the subdomain list, picking rows, and the quick searches of the popups.

#include "app/app_test_support.h"

#include "app/domain_menus.h"
#include "app/html_view.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeWidget>

namespace dorvanta::test {
namespace {

using SearchPanelTest = WindowTest;

std::vector<std::int64_t> Numbers(std::initializer_list<std::int64_t> list)
{
    return list;
}

QStringList Column(const QTreeWidget* list, int column)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        texts.append(list->topLevelItem(i)->text(column));
    }
    return texts;
}

// Chooses an entry the way the user does, so the change handler runs.
void UserChooses(QComboBox* box, const QString& text)
{
    const int index = box->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    box->setCurrentIndex(index);
    emit box->activated(index);
}

QMenu* Submenu(const QMenu* menu, const QString& caption)
{
    for (QAction* action : menu->actions()) {
        if (action->menu<QMenu*>() != nullptr && MenuItemCaption(action) == caption) {
            return action->menu<QMenu*>();
        }
    }
    return nullptr;
}

QAction* Item(const QMenu* menu, const QString& caption)
{
    for (QAction* action : menu->actions()) {
        if (MenuItemCaption(action) == caption) {
            return action;
        }
    }
    return nullptr;
}

TEST_F(SearchPanelTest, SearchButtonWithPlaceholderListsEveryCompanyAndBringsThePanelForward)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    Find<PictureButton>(&main, "Button_Menu_Internet")->click();

    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    EXPECT_EQ(main.CompanyRecordNumbers(), Numbers({0, 1, 3, 4}));
    EXPECT_EQ(Column(Find<QTreeWidget>(&main, "ListView_Companies"), 0), (QStringList{"T", "S", "H", "I"}));
    EXPECT_EQ(Find<QTreeWidget>(&main, "ListView_Companies")->topLevelItemCount(), 4);
    EXPECT_TRUE(Column(Find<QTreeWidget>(&main, "ListView_Companies"), 1)[1].contains(
        QStringLiteral("Covoare"), Qt::CaseInsensitive));
    EXPECT_EQ(Find<QLabel>(&main, "Label_Status")->text(), QStringLiteral("Found 4 records."));
    EXPECT_TRUE(InfoBox::ShownTexts().isEmpty());
    EXPECT_EQ(main.PanelInFront(), Find<QWidget>(&main, "Panel_Companies"));
    EXPECT_EQ(main.CurrentView(), 1);

    // A second search replaces the rows and their numbers.
    Find<QLineEdit>(&main, "Edit_Companies_Company")->setText(QStringLiteral("alfa"));
    SendKey(Find<QLineEdit>(&main, "Edit_Companies_Company"), QEvent::KeyPress, Qt::Key_Return);
    EXPECT_EQ(main.CompanyRecordNumbers(), Numbers({0, 4}));
    EXPECT_EQ(Find<QTreeWidget>(&main, "ListView_Companies")->topLevelItemCount(), 2);
    EXPECT_EQ(Find<QLabel>(&main, "Label_Status")->text(), QStringLiteral("Found 2 records."));
}

TEST_F(SearchPanelTest, CountyTypeDomainAndSectionNarrowTheCompanySearch)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;

    Find<QComboBox>(&main, "ComboBox_Companies_Locality")->setCurrentText(QStringLiteral("Alba"));
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    EXPECT_EQ(main.CompanyRecordNumbers(), Numbers({0, 3})); // an empty county passes
    Find<QComboBox>(&main, "ComboBox_Companies_Locality")->setCurrentIndex(0);

    Find<QComboBox>(&main, "ComboBox_Companies_Type")->setCurrentText(QStringLiteral("Services (S)"));
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    EXPECT_EQ(main.CompanyRecordNumbers(), Numbers({1}));
    Find<QComboBox>(&main, "ComboBox_Companies_Type")->setCurrentIndex(0);

    UserChooses(Find<QComboBox>(&main, "ComboBox_Companies_Domain"), QStringLiteral("     Business"));
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    EXPECT_EQ(main.CompanyRecordNumbers(), Numbers({0, 1, 3}));
    Find<QComboBox>(&main, "ComboBox_Companies_Subdomain")
        ->setCurrentText(QStringLiteral("Insurance Companies"));
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    EXPECT_EQ(main.CompanyRecordNumbers(), Numbers({0, 1}));
}

TEST_F(SearchPanelTest, DomainAndGroupLinesFillTheSubdomainListFromTheCategoryTable)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    // After start-up: "All" with every category behind it.
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Companies_Subdomain")->count(), 321);
    EXPECT_EQ(main.SubdomainCodes().size(), 320u);

    UserChooses(Find<QComboBox>(&main, "ComboBox_Companies_Domain"), QStringLiteral("     Business"));
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Companies_Subdomain")->count(), 12);
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Companies_Subdomain")->currentIndex(), 0);
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Companies_Subdomain")->itemText(1),
              QStringLiteral("Insurance Companies"));
    EXPECT_EQ(main.SubdomainCodes().front(), "a.a.1");
    EXPECT_EQ(main.SubdomainCodes().back(), "a.a.11");

    UserChooses(Find<QComboBox>(&main, "ComboBox_Companies_Domain"),
                QStringLiteral("Business Mass.media Advertising"));
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Companies_Subdomain")->count(), 24);
    EXPECT_EQ(main.SubdomainCodes().size(), 23u);

    // Romanian names give the same counts.
    main.ApplyLanguage(Language::RO);
    UserChooses(Find<QComboBox>(&main, "ComboBox_Companies_Domain"), QStringLiteral("     Afaceri"));
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Companies_Subdomain")->count(), 12);
}

TEST_F(SearchPanelTest, EmptyResultShowsMessageOneInTheLanguage)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    Find<QLineEdit>(&main, "Edit_Companies_Company")->setText(QStringLiteral("no such firm"));
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    EXPECT_EQ(InfoBox::ShownTexts(), QStringList{QStringLiteral("Your search did not return any result")});
    EXPECT_EQ(Find<QLabel>(&main, "Label_Status")->text(), QStringLiteral("Found 0 records."));

    InfoBox::ClearShownTexts();
    main.ApplyLanguage(Language::RO);
    Find<QLineEdit>(&main, "Edit_Internet_Company")->setText(QStringLiteral("nimic"));
    Find<PictureButton>(&main, "Button_Internet_Search")->click();
    EXPECT_EQ(InfoBox::ShownTexts(),
              QStringList{QStringLiteral("Cautarea nu a returnat nici o inregistrare.")});
    EXPECT_EQ(Find<QLabel>(&main, "Label_Status")->text(), QStringLiteral("Au fost gasite 0 inregistrari."));
}

TEST_F(SearchPanelTest, CompanyFileThatCannotBeOpenedShowsOneBoxAndNothingElse)
{
    std::filesystem::remove(folder_ / "database.db");
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    Find<PictureButton>(&main, "Button_Menu_Internet")->click();
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    ASSERT_EQ(InfoBox::ShownTexts().size(), 1);
    EXPECT_TRUE(InfoBox::ShownTexts().front().startsWith(QStringLiteral("Could not open database.db file.")));
    EXPECT_EQ(Find<QLabel>(&main, "Label_Status")->text(), QStringLiteral("Welcome to Dorvanta"));
    EXPECT_EQ(Find<QTreeWidget>(&main, "ListView_Companies")->topLevelItemCount(), 0);
    EXPECT_EQ(main.PanelInFront(), Find<QWidget>(&main, "Panel_Internet"));
}

TEST_F(SearchPanelTest, OpportunitySearchListsNewestFirstAndLeavesThePanelAlone)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    Find<PictureButton>(&main, "Button_Internet_Search")->click();
    EXPECT_EQ(main.OpportunityRecordNumbers(), Numbers({3, 2, 1, 0}));
    EXPECT_EQ(Column(Find<QTreeWidget>(&main, "ListView_Internet"), 0),
              (QStringList{"Request", "Offer", "Request", "Offer"}));
    EXPECT_EQ(Column(Find<QTreeWidget>(&main, "ListView_Internet"), 1).front(),
              QStringLiteral("Request for rugs"));
    EXPECT_EQ(Find<QLabel>(&main, "Label_Status")->text(), QStringLiteral("Found 4 records."));
    EXPECT_EQ(main.PanelInFront(), Find<QWidget>(&main, "Panel_Companies"));
    EXPECT_EQ(main.CurrentView(), 1);

    Find<QLineEdit>(&main, "Edit_Internet_Company")->setText(QStringLiteral("carpets"));
    SendKey(Find<QLineEdit>(&main, "Edit_Internet_Company"), QEvent::KeyPress, Qt::Key_Enter);
    EXPECT_EQ(main.OpportunityRecordNumbers(), Numbers({2, 1}));
}

TEST_F(SearchPanelTest, MissingAdFileGivesMessageTenAndTheNoResultBox)
{
    std::filesystem::remove(folder_ / "bursa.db");
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    Find<PictureButton>(&main, "Button_Internet_Search")->click();
    EXPECT_EQ(
        Find<QLabel>(&main, "Label_Status")->text(),
        QStringLiteral("Opportunities database(bursa.db) does not exist. This file was moved or deleted."));
    EXPECT_EQ(InfoBox::ShownTexts(), QStringList{QStringLiteral("Your search did not return any result")});
}

TEST_F(SearchPanelTest, ClickingIntoABoxShowingAPlaceholderClearsItAndResetsTheCriteria)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    UserChooses(Find<QComboBox>(&main, "ComboBox_Companies_Domain"), QStringLiteral("     Business"));
    Find<QComboBox>(&main, "ComboBox_Companies_Subdomain")->setCurrentIndex(2);
    Find<QComboBox>(&main, "ComboBox_Companies_Locality")->setCurrentIndex(3);
    Find<QComboBox>(&main, "ComboBox_Companies_Type")->setCurrentIndex(2);
    Find<QComboBox>(&main, "ComboBox_Internet_Domain")->setCurrentIndex(2);
    Find<QComboBox>(&main, "ComboBox_Internet_Locality")->setCurrentIndex(2);
    Find<QComboBox>(&main, "ComboBox_Internet_Type")->setCurrentIndex(1);
    Find<QComboBox>(&main, "ComboBox_Internet_Date")->setCurrentIndex(2);

    // A keyword box with the user's own text: nothing changes.
    Find<QLineEdit>(&main, "Edit_Internet_Company")->setText(QStringLiteral("carpets"));
    Click(Find<QLineEdit>(&main, "Edit_Internet_Company"));
    EXPECT_EQ(Find<QLineEdit>(&main, "Edit_Internet_Company")->text(), QStringLiteral("carpets"));
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Internet_Domain")->currentIndex(), 2);

    // The company box with its placeholder: both panels' criteria go back to "All".
    Click(Find<QLineEdit>(&main, "Edit_Companies_Company"));
    EXPECT_TRUE(Find<QLineEdit>(&main, "Edit_Companies_Company")->text().isEmpty());
    for (QComboBox* box : {Find<QComboBox>(&main, "ComboBox_Companies_Domain"),
                           Find<QComboBox>(&main, "ComboBox_Companies_Subdomain"),
                           Find<QComboBox>(&main, "ComboBox_Companies_Locality"),
                           Find<QComboBox>(&main, "ComboBox_Companies_Type"),
                           Find<QComboBox>(&main, "ComboBox_Internet_Domain"),
                           Find<QComboBox>(&main, "ComboBox_Internet_Locality"),
                           Find<QComboBox>(&main, "ComboBox_Internet_Type"),
                           Find<QComboBox>(&main, "ComboBox_Internet_Date")}) {
        EXPECT_EQ(box->currentIndex(), 0) << box->objectName().toStdString();
    }
    // Setting the domain box by program did not refill the subdomains.
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Companies_Subdomain")->count(), 12);
    EXPECT_EQ(Find<QLineEdit>(&main, "Edit_Internet_Company")->text(), QStringLiteral("carpets"));

    // The keyword box with its placeholder resets only the opportunity side.
    Find<QComboBox>(&main, "ComboBox_Companies_Type")->setCurrentIndex(4);
    Find<QComboBox>(&main, "ComboBox_Internet_Type")->setCurrentIndex(3);
    Find<QLineEdit>(&main, "Edit_Internet_Company")->setText(QStringLiteral("Toate cuvintele?"));
    Click(Find<QLineEdit>(&main, "Edit_Internet_Company"));
    EXPECT_TRUE(Find<QLineEdit>(&main, "Edit_Internet_Company")->text().isEmpty());
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Internet_Type")->currentIndex(), 0);
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Companies_Type")->currentIndex(), 4);
}

TEST_F(SearchPanelTest, CategoryItemOfTheCompanyPopupSearchesThatCategory)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    Find<PictureButton>(&main, "Button_Menu_Internet")->click();
    QMenu* group = Submenu(Find<QMenu>(&main, "Popup_Companies_Down"),
                           QStringLiteral("Business Mass.media Advertising"));
    ASSERT_NE(group, nullptr);
    QMenu* domain = Submenu(group, QStringLiteral("Business"));
    ASSERT_NE(domain, nullptr);
    QAction* category = Item(domain, QStringLiteral("Insurance Companies"));
    ASSERT_NE(category, nullptr);
    EXPECT_EQ(MenuItemHint(category), QStringLiteral("Business Mass.media Advertising;Business"));

    category->trigger();
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Companies_Domain")->currentText(),
              QStringLiteral("     Business"));
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Companies_Subdomain")->currentText(),
              QStringLiteral("Insurance Companies"));
    EXPECT_EQ(main.CompanyRecordNumbers(), Numbers({0, 1}));
    EXPECT_EQ(main.PanelInFront(), Find<QWidget>(&main, "Panel_Companies"));
    EXPECT_EQ(main.CurrentView(), 1);

    // Names with "&" are shown and matched as written.
    QMenu* accounting = Submenu(group, QStringLiteral("Business"));
    EXPECT_NE(Item(accounting, QStringLiteral("Accounting&Audit")), nullptr);
}

TEST_F(SearchPanelTest, CategoryItemWhoseDomainIsNotInTheBoxRunsNoSearch)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    Find<CompanyPanel>(&main, "Panel_Companies")
        ->SearchCategory(QStringLiteral("Atlantis"), QStringLiteral("a.a.1"));
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Companies_Domain")->currentIndex(), 0);
    EXPECT_EQ(Find<QTreeWidget>(&main, "ListView_Companies")->topLevelItemCount(), 0);
    EXPECT_EQ(Find<QLabel>(&main, "Label_Status")->text(), QStringLiteral("Welcome to Dorvanta"));
}

TEST_F(SearchPanelTest, TypeItemOfTheOpportunityPopupSearchesThatGroupAndType)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    ASSERT_EQ(Find<QMenu>(&main, "Popup_Internet_Down")->actions().size(), 10);
    QMenu* third = Find<QMenu>(&main, "Popup_Internet_Down")->actions().at(2)->menu<QMenu*>();
    ASSERT_NE(third, nullptr);
    QAction* requests = Item(third, QStringLiteral("Requests"));
    ASSERT_NE(requests, nullptr);
    EXPECT_EQ(MenuItemHint(requests), Find<QComboBox>(&main, "ComboBox_Internet_Domain")->itemText(3));

    requests->trigger();
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Internet_Domain")->currentIndex(), 3);
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Internet_Type")->currentText(), QStringLiteral("Requests"));
    EXPECT_EQ(main.OpportunityRecordNumbers(), Numbers({3, 1}));
    EXPECT_EQ(main.PanelInFront(), Find<QWidget>(&main, "Panel_Internet"));
    EXPECT_EQ(main.CurrentView(), 2);
}

} // namespace
} // namespace dorvanta::test

namespace dorvanta::test {
namespace {

// The criteria are shown whole at the window's first size, in both
// languages: their area is as tall as the captions of the language make them.
TEST_F(SearchPanelTest, TheCriteriaNeedNoScrollBarAtTheFirstSize)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.show();
    for (const Language language : {Language::EN, Language::RO}) {
        main.ApplyLanguage(language);
        for (const char* button : {"Button_Menu_Companies", "Button_Menu_Internet"}) {
            Find<PictureButton>(&main, button)->click();
            QApplication::processEvents();
            for (const QScrollArea* area : main.PanelInFront()->findChildren<QScrollArea*>()) {
                EXPECT_FALSE(area->verticalScrollBar()->isVisible()) << button;
                EXPECT_GE(area->viewport()->height(), area->widget()->sizeHint().height()) << button;
            }
        }
    }
}

} // namespace
} // namespace dorvanta::test
