// The main window: start-up state, control names, the language switch, the
// stored language and the help pages.

#include "app/app_test_support.h"

#include "app/button_faces.h"
#include "app/html_view.h"
#include "app/page_printer.h"
#include "app/window_chrome.h"

#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QTreeWidget>

namespace dorvanta::test {
namespace {

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, EveryNamedControlAndMenuItemCanBeFound)
{
    Program program(folder_, SettingsFile());
    const char* names[] = {"Panel_Top",
                           "Image_Center",
                           "Label1",
                           "Button_Menu_Minimize",
                           "Button_Menu_Restore",
                           "Button_Menu_Close",
                           "Panel_Menu",
                           "Image1",
                           "Button_Menu_Companies",
                           "Button_Menu_Companies_Down",
                           "Button_Menu_Internet",
                           "SpeedButton5",
                           "Button_Menu_Update",
                           "Button_Menu_Insert",
                           "Button_Menu_Settings",
                           "Button_Menu_Help",
                           "Panel_Center",
                           "Panel_Help",
                           "Web_Help",
                           "Panel_Companies",
                           "Panel_Internet",
                           "Panel_Companies_Left",
                           "Panel_Internet_Left",
                           "Panel_Companies_Search",
                           "Panel_Internet_Search",
                           "Edit_Companies_Company",
                           "ComboBox_Companies_Domain",
                           "ComboBox_Companies_Subdomain",
                           "ComboBox_Companies_Locality",
                           "ComboBox_Companies_Type",
                           "Label_Companies_Company",
                           "Label_Companies_Domain",
                           "Label_Companies_SubDomain",
                           "Label_Companies_Locality",
                           "Label_Companies_Type",
                           "Button_Companies_Search",
                           "ListView_Companies",
                           "Web_Companies",
                           "Edit_Internet_Company",
                           "ComboBox_Internet_Domain",
                           "ComboBox_Internet_Locality",
                           "ComboBox_Internet_Type",
                           "Label_Internet_Keywords",
                           "Label_Internet_Domain",
                           "Label_Internet_Locality",
                           "Label_Internet_Type",
                           "Button_Internet_Search",
                           "ListView_Internet",
                           "Web_Internet",
                           "Panel_Bottom",
                           "Image_Bottom",
                           "Label_Status",
                           "Progress",
                           "Image_Ancora",
                           "Panel_Container",
                           "Popup_Companies_Down",
                           "Popup_Internet_Down",
                           "Popup_Update",
                           "Popup_Insert",
                           "Popup_Settings",
                           "Popup_Help",
                           "NewCompanies1",
                           "Allcompanies1",
                           "Newbusinessads1",
                           "Companiata1",
                           "Yourbusinessadd1",
                           "N2",
                           "Yourbanner1",
                           "Language1",
                           "English1",
                           "Romana1",
                           "Pint1",
                           "Content1",
                           "AboutDorvanta1"};
    for (const char* name : names) {
        EXPECT_NE(Find<QObject>(program.main.get(), name), nullptr) << name;
    }
    for (const char* language : {"EN", "RO"}) {
        for (int i = 1; i <= 7; ++i) {
            const std::string name = "Image_" + std::to_string(i) + language;
            auto* holder = Find<QLabel>(program.main.get(), name.c_str());
            ASSERT_NE(holder, nullptr) << name;
            EXPECT_FALSE(holder->isVisibleTo(program.main.get()));
            EXPECT_EQ(holder->pixmap().size(), i == 7 ? QSize(67, 20) : QSize(100, 31)) << name;
        }
    }
    EXPECT_NE(program.update->findChild<QObject*>(QStringLiteral("ListBox_Domains")), nullptr);
    EXPECT_EQ(program.update->objectName(), QStringLiteral("Form_Update"));
}

TEST_F(MainWindowTest, StartsHiddenThenShowsTheCompanyPanelWithTheLayoutGiven)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    EXPECT_EQ(main.objectName(), QStringLiteral("Form_Main"));
    EXPECT_FALSE(main.isVisible());
    EXPECT_FALSE(main.MainShown());
    EXPECT_FALSE(program.update->isVisible());
    EXPECT_EQ(main.CurrentView(), 1);
    EXPECT_EQ(main.CurrentLanguage(), Language::EN);
    EXPECT_TRUE(main.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Dorvanta Romania"));
    EXPECT_EQ(main.size(), QSize(800, 578));
    EXPECT_EQ(main.minimumSize(), QSize(600, 400));
    EXPECT_EQ(Shown(Find<QLabel>(&main, "Label_Status")->text()), QStringLiteral("Welcome to Dorvanta"));

    // Another panel in front before showing: the first showing brings the companies forward.
    Find<QAction>(&main, "Content1")->trigger();
    main.show();
    EXPECT_TRUE(main.MainShown());
    EXPECT_EQ(main.PanelInFront(), Find<QWidget>(&main, "Panel_Companies"));

    EXPECT_EQ(Find<QWidget>(&main, "Panel_Top")->height(), 20);
    EXPECT_EQ(Find<QWidget>(&main, "Panel_Menu")->height(), 30);
    EXPECT_EQ(Find<QWidget>(&main, "Panel_Bottom")->height(), 17);
    EXPECT_EQ(Find<PictureButton>(&main, "Button_Menu_Minimize")->x(), 739);
    EXPECT_EQ(Find<PictureButton>(&main, "Button_Menu_Restore")->x(), 759);
    EXPECT_EQ(Find<PictureButton>(&main, "Button_Menu_Close")->x(), 780);
    const std::pair<QWidget*, QRect> menuButtons[] = {
        {Find<PictureButton>(&main, "Button_Menu_Companies"), {10, 2, 99, 27}},
        {Find<PictureButton>(&main, "Button_Menu_Companies_Down"), {110, 2, 17, 27}},
        {Find<PictureButton>(&main, "Button_Menu_Internet"), {137, 2, 99, 27}},
        {Find<PictureButton>(&main, "SpeedButton5"), {237, 2, 17, 27}},
        {Find<PictureButton>(&main, "Button_Menu_Update"), {266, 2, 99, 27}},
        {Find<PictureButton>(&main, "Button_Menu_Insert"), {376, 2, 99, 27}},
        {Find<PictureButton>(&main, "Button_Menu_Settings"), {486, 2, 99, 27}},
        {Find<PictureButton>(&main, "Button_Menu_Help"), {596, 2, 99, 27}}};
    for (const auto& [button, bounds] : menuButtons) {
        EXPECT_EQ(button->geometry(), bounds) << button->objectName().toStdString();
    }
    EXPECT_EQ(Find<QLabel>(&main, "Label_Status")->x(), 12);
    EXPECT_EQ(Find<QProgressBar>(&main, "Progress")->geometry().left(), 275);
    EXPECT_EQ(Find<QProgressBar>(&main, "Progress")->width(), 508);
    EXPECT_FALSE(Find<QProgressBar>(&main, "Progress")->isVisible());
    EXPECT_EQ(Find<QLabel>(&main, "Image_Ancora")->size(), QSize(17, 15));
    EXPECT_EQ(Find<QLabel>(&main, "Image_Ancora")->geometry().right(),
              Find<QWidget>(&main, "Panel_Bottom")->width() - 1);
    EXPECT_GE(Find<QWidget>(&main, "Panel_Companies_Left")->width(), 275);
    main.close();
}

TEST_F(MainWindowTest, PanelButtonsBringTheirPanelForwardAndPopupButtonsLeaveItAlone)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.show();
    Find<PictureButton>(&main, "Button_Menu_Internet")->click();
    EXPECT_EQ(main.PanelInFront(), Find<QWidget>(&main, "Panel_Internet"));
    EXPECT_EQ(main.CurrentView(), 2);
    Find<PictureButton>(&main, "Button_Menu_Help")->click();
    Find<QMenu>(&main, "Popup_Help")->close();
    EXPECT_EQ(main.PanelInFront(), Find<QWidget>(&main, "Panel_Internet"));
    EXPECT_EQ(main.CurrentView(), 2);
    Find<PictureButton>(&main, "Button_Menu_Companies")->click();
    EXPECT_EQ(main.PanelInFront(), Find<QWidget>(&main, "Panel_Companies"));
    EXPECT_EQ(main.CurrentView(), 1);
    main.close();
}

TEST_F(MainWindowTest, SecondListColumnFollowsTheListWidth)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.show();
    auto expectFitted = [&](const char* when) {
        QApplication::processEvents();
        // The type column is no narrower than its header ("Type", not "Typ").
        QHeaderView* header = Find<QTreeWidget>(&main, "ListView_Companies")->header();
        EXPECT_GE(header->sectionSize(0), QFontMetrics(header->font()).horizontalAdvance("Type") + 8) << when;
        for (QTreeWidget* list : {Find<QTreeWidget>(&main, "ListView_Companies"),
                                  Find<QTreeWidget>(&main, "ListView_Internet")}) {
            // The ads' date column keeps its width; the subject takes the rest.
            const int others = list->header()->sectionSize(0) +
                               (list->columnCount() > 2 ? list->header()->sectionSize(2) : 0);
            EXPECT_EQ(list->header()->sectionSize(1), std::max(0, list->width() - others - 16)) << when;
        }
        // The ad list's type words are whole words and must not be cut.
        const QFontMetrics metrics(Find<QTreeWidget>(&main, "ListView_Internet")->font());
        EXPECT_GT(Find<QTreeWidget>(&main, "ListView_Internet")->header()->sectionSize(0),
                  metrics.horizontalAdvance(QStringLiteral("Request")))
            << when;
    };
    expectFitted("at start");
    main.resize(1000, 600);
    expectFitted("after widening the window");
    const int before = Find<QTreeWidget>(&main, "ListView_Companies")->width();
    for (const char* name : {"Splitter_Companies", "Splitter_Internet"}) {
        Find<QSplitter>(&main, name)->setSizes({420, 560});
    }
    Find<PictureButton>(&main, "Button_Menu_Internet")->click();
    expectFitted("after moving the splitters");
    EXPECT_GT(Find<QTreeWidget>(&main, "ListView_Companies")->width(), before);
    main.close();
}

TEST_F(MainWindowTest, LanguageSwitchChangesCaptionsListsAndFacesButNotTheFixedItems)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    const QImage englishFace = Find<PictureButton>(&main, "Button_Menu_Companies")->Picture().toImage();
    Find<QLabel>(&main, "Label_Status")->setText(QStringLiteral("something else"));
    Find<QComboBox>(&main, "ComboBox_Companies_Type")->setCurrentIndex(3);

    Find<QAction>(&main, "Romana1")->trigger();
    EXPECT_EQ(main.CurrentLanguage(), Language::RO);
    EXPECT_EQ(Shown(Find<QLabel>(&main, "Label_Status")->text()), QStringLiteral("Bun venit la Dorvanta"));
    EXPECT_EQ(Shown(Find<QLabel>(&main, "Panel_Companies_Search")->text()),
              QStringLiteral("Cautare companii"));
    EXPECT_EQ(Shown(Find<QLabel>(&main, "Panel_Internet_Search")->text()),
              QStringLiteral("Cautare oportunitati"));
    EXPECT_EQ(Shown(Find<QLabel>(&main, "Label_Companies_SubDomain")->text()), QStringLiteral("Sectiune"));
    EXPECT_EQ(Shown(Find<QLabel>(&main, "Label_Internet_Keywords")->text()), QStringLiteral("Cuvant"));
    EXPECT_EQ(Find<QTreeWidget>(&main, "ListView_Companies")->headerItem()->text(0), QStringLiteral("Tip"));
    EXPECT_EQ(Find<QTreeWidget>(&main, "ListView_Companies")->headerItem()->text(1),
              QStringLiteral("Companie"));
    EXPECT_EQ(Find<QTreeWidget>(&main, "ListView_Internet")->headerItem()->text(1),
              QStringLiteral("Subiect"));
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Companies_Type")->currentIndex(), 0);
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Companies_Type")->itemText(1),
              QStringLiteral("Comerciant (T)"));
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Internet_Type")->itemText(3), QStringLiteral("Servicii"));
    EXPECT_EQ(Shown(Find<QMenu>(&main, "NewCompanies1")->title()), QStringLiteral("Noi companii"));
    EXPECT_EQ(Shown(Find<QMenu>(&main, "Newbusinessads1")->title()), QStringLiteral("Noi oportunitati"));
    EXPECT_EQ(Shown(Find<QAction>(&main, "Yourbanner1")->text()), QStringLiteral("Adauga banner"));
    EXPECT_EQ(Shown(Find<QAction>(&main, "AboutDorvanta1")->text()), QStringLiteral("Despre"));
    EXPECT_NE(Find<PictureButton>(&main, "Button_Menu_Companies")->Picture().toImage(), englishFace);
    EXPECT_EQ(Find<PictureButton>(&main, "Button_Companies_Search")->Picture().toImage(),
              Find<QLabel>(&main, "Image_7RO")->pixmap().toImage());
    EXPECT_EQ(Shown(Find<QAction>(&main, "Allcompanies1")->text()), QStringLiteral("Toate companiile"));
    EXPECT_EQ(Shown(Find<QMenu>(&main, "Language1")->title()), QStringLiteral("Limba"));
    EXPECT_EQ(Shown(Find<QAction>(&main, "English1")->text()), QStringLiteral("Engleza"));
    EXPECT_EQ(Shown(Find<QAction>(&main, "Pint1")->text()), QStringLiteral("Tipareste"));
    for (const char* name :
         {"ComboBox_Companies_Domain", "ComboBox_Companies_Subdomain", "ComboBox_Companies_Locality",
          "ComboBox_Companies_Type", "ComboBox_Internet_Domain", "ComboBox_Internet_Locality",
          "ComboBox_Internet_Type"}) {
        EXPECT_EQ(Find<QComboBox>(&main, name)->itemText(0), QStringLiteral("Toate")) << name;
    }
    // "Toate" still stands for every category.
    emit Find<QComboBox>(&main, "ComboBox_Companies_Domain")->activated(0);
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Companies_Subdomain")->count(), 321);
    // Qt's own texts too: the edit boxes' context menu.
    const auto menuTexts = [&main] {
        const std::unique_ptr<QMenu> menu(
            Find<QLineEdit>(&main, "Edit_Companies_Company")->createStandardContextMenu());
        QStringList texts;
        for (const QAction* action : menu->actions()) {
            texts.append(action->text());
        }
        return texts.join(QLatin1Char('|'));
    };
    EXPECT_TRUE(menuTexts().contains(QStringLiteral("|&Lipeste"))) << menuTexts().toStdString();
    // The same in both languages.
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Dorvanta Romania"));
    EXPECT_EQ(Shown(Find<QAction>(&main, "Romana1")->text()), QStringLiteral("Romana"));
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Companies_Locality")->itemText(1), QStringLiteral("Alba"));

    Find<QAction>(&main, "English1")->trigger();
    EXPECT_EQ(Shown(Find<QLabel>(&main, "Label_Companies_SubDomain")->text()), QStringLiteral("Section"));
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Companies_Type")->itemText(0), QStringLiteral("All"));
    EXPECT_EQ(Shown(Find<QAction>(&main, "Pint1")->text()), QStringLiteral("Print"));
    EXPECT_TRUE(menuTexts().contains(QStringLiteral("|&Paste")));
    EXPECT_EQ(Find<PictureButton>(&main, "Button_Menu_Companies")->Picture().toImage(), englishFace);
    EXPECT_EQ(Shown(Find<QMenu>(&main, "NewCompanies1")->title()), QStringLiteral("New companies"));
}

TEST_F(MainWindowTest, PlaceholdersFollowTheLanguageWhileTypedTextSurvives)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    EXPECT_EQ(Find<QLineEdit>(&main, "Edit_Companies_Company")->text(),
              QStringLiteral("Search for company?"));
    EXPECT_EQ(Find<QLineEdit>(&main, "Edit_Internet_Company")->text(), QStringLiteral("Any keyword?"));
    EXPECT_TRUE(Find<QLineEdit>(&main, "Edit_Companies_Company")->placeholderText().isEmpty());

    Find<QLineEdit>(&main, "Edit_Internet_Company")->setText(QStringLiteral("covoare"));
    main.ApplyLanguage(Language::RO);
    EXPECT_EQ(Find<QLineEdit>(&main, "Edit_Companies_Company")->text(), QStringLiteral("Cauti o companie?"));
    EXPECT_EQ(Find<QLineEdit>(&main, "Edit_Internet_Company")->text(), QStringLiteral("covoare"));

    // An empty box, or one showing the other language's placeholder, gets the new one.
    Find<QLineEdit>(&main, "Edit_Companies_Company")->setText(QStringLiteral("Search for company?"));
    Find<QLineEdit>(&main, "Edit_Internet_Company")->clear();
    main.ApplyLanguage(Language::RO);
    EXPECT_EQ(Find<QLineEdit>(&main, "Edit_Companies_Company")->text(), QStringLiteral("Cauti o companie?"));
    EXPECT_EQ(Find<QLineEdit>(&main, "Edit_Internet_Company")->text(), QStringLiteral("Toate cuvintele?"));

    // A placeholder of the other box is the user's text here.
    Find<QLineEdit>(&main, "Edit_Companies_Company")->setText(QStringLiteral("Any keyword?"));
    main.ApplyLanguage(Language::EN);
    EXPECT_EQ(Find<QLineEdit>(&main, "Edit_Companies_Company")->text(), QStringLiteral("Any keyword?"));
    EXPECT_EQ(Find<QLineEdit>(&main, "Edit_Internet_Company")->text(), QStringLiteral("Any keyword?"));
}

TEST_F(MainWindowTest, StartPagesOfTheLanguageAreLoadedAndAMissingOneLeavesTheView)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    EXPECT_TRUE(
        Find<HtmlView>(&main, "Web_Companies")->toPlainText().contains(QStringLiteral("Company start EN")));
    EXPECT_TRUE(Find<HtmlView>(&main, "Web_Internet")
                    ->toPlainText()
                    .contains(QStringLiteral("Opportunity start EN")));

    std::filesystem::remove(folder_ / "Internet" / "opportunities_RO.htm");
    main.ApplyLanguage(Language::RO);
    EXPECT_TRUE(
        Find<HtmlView>(&main, "Web_Companies")->toPlainText().contains(QStringLiteral("Company start RO")));
    EXPECT_TRUE(Find<HtmlView>(&main, "Web_Internet")
                    ->toPlainText()
                    .contains(QStringLiteral("Opportunity start EN")));
}

TEST_F(MainWindowTest, TheLanguageSurvivesARestartOnlyWhenTheWindowClosesNormally)
{
    {
        Program first(folder_, SettingsFile());
        EXPECT_EQ(first.main->CurrentLanguage(), Language::EN);
        first.main->show();
        Find<QAction>(first.main.get(), "Romana1")->trigger();
        Find<PictureButton>(first.main.get(), "Button_Menu_Close")->click();
    }
    {
        Program second(folder_, SettingsFile());
        EXPECT_EQ(second.main->CurrentLanguage(), Language::RO);
        EXPECT_EQ(Shown(Find<QLabel>(second.main.get(), "Label_Companies_Company")->text()),
                  QStringLiteral("Companie"));
        EXPECT_EQ(Find<QComboBox>(second.main.get(), "ComboBox_Internet_Domain")->count(), 11);
        // Switched, but the program ends without closing the window: nothing stored.
        Find<QAction>(second.main.get(), "English1")->trigger();
    }
    Program third(folder_, SettingsFile());
    EXPECT_EQ(third.main->CurrentLanguage(), Language::RO);
}

TEST_F(MainWindowTest, AStoredLanguageOtherThanExactlyROStartsInEnglish)
{
    for (const char* stored : {"ro", "RO ", "Ro", "", "DE"}) {
        std::filesystem::remove(settingsDir_ / "settings.ini");
        Program writer(folder_, SettingsFile());
        writer.main->Settings().WriteString(kSettingsKey, kLanguageValue, stored);
        Program reader(folder_, SettingsFile());
        EXPECT_EQ(reader.main->CurrentLanguage(), Language::EN) << '"' << stored << '"';
        reader.main->show();
        reader.main->close();
        EXPECT_EQ(reader.main->Settings().ReadString(kSettingsKey, kLanguageValue),
                  std::optional<std::string>("EN"));
    }
}

TEST_F(MainWindowTest, HelpAndSubmissionPagesShowInTheHelpPanelInTheLanguage)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.show();
    struct Case
    {
        QAction* item;
        const char* english;
        const char* romanian;
    };
    const Case cases[] = {
        {Find<QAction>(&main, "Content1"), "index_en.htm", "index_ro.htm"},
        {Find<QAction>(&main, "Companiata1"), "einserare_companie.htm", "inserare_companie.htm"},
        {Find<QAction>(&main, "Yourbusinessadd1"), "eanunt.htm", "anunt.htm"},
        {Find<QAction>(&main, "Yourbanner1"), "ebanner.htm", "banner.htm"}};
    for (Language language : {Language::EN, Language::RO}) {
        main.ApplyLanguage(language);
        for (const Case& c : cases) {
            Find<PictureButton>(&main, "Button_Menu_Companies")->click();
            c.item->trigger();
            EXPECT_EQ(main.PanelInFront(), Find<QWidget>(&main, "Panel_Help"));
            EXPECT_EQ(main.CurrentView(), 3);
            const QString file = QString::fromLatin1(language == Language::EN ? c.english : c.romanian);
            EXPECT_EQ(Find<HtmlView>(&main, "Web_Help")->DocumentAddress().fileName(), file);
            EXPECT_TRUE(
                Find<HtmlView>(&main, "Web_Help")->toPlainText().contains(file) ||
                Find<HtmlView>(&main, "Web_Help")->toPlainText().contains(QStringLiteral("Help contents")))
                << file.toStdString();
        }
    }
    main.close();
}

} // namespace
} // namespace dorvanta::test
