// The domain boxes and popups built from the domain resources, and the two
// update commands of the update popup run against the publisher stand-in.

#include "app/app_test_support.h"

#include "app/domain_menus.h"
#include "data/messages.h"
#include "support/publisher_stub.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QTimer>
#include <QTreeWidget>

namespace dorvanta::test {
namespace {

using UpdatePopupTest = WindowTest;

std::string AdLine(const std::string& id, const std::string& group, const std::string& subject)
{
    return id + "`" + group + "`Firma`B`" + subject + "`2005-01-01`text`1`Ion`021`022`e@f.ro`www.f.ro`";
}

std::uintmax_t AdCount(const std::filesystem::path& file)
{
    return std::filesystem::file_size(file) / 578;
}

TEST_F(UpdatePopupTest, CompanyDomainBoxHoldsAllTheGroupsAndTheirDomains)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    for (Language language : {Language::EN, Language::RO}) {
        main.ApplyLanguage(language);
        QComboBox* box = Find<QComboBox>(&main, "ComboBox_Companies_Domain");
        ASSERT_EQ(box->count(), 44);
        EXPECT_EQ(box->itemText(0),
                  language == Language::EN ? QStringLiteral("All") : QStringLiteral("Toate"));
        EXPECT_EQ(box->currentIndex(), 0);
        int groups = 0;
        int domains = 0;
        for (int i = 1; i < box->count(); ++i) {
            const QString text = box->itemText(i);
            if (text.startsWith(QStringLiteral("     ")) && !text.at(5).isSpace()) {
                ++domains;
            } else if (!text.startsWith(QLatin1Char(' '))) {
                ++groups;
            }
        }
        EXPECT_EQ(groups, 10);
        EXPECT_EQ(domains, 33);
        EXPECT_EQ(Find<QMenu>(&main, "Popup_Companies_Down")->actions().size(), 10);
        EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Internet_Domain")->count(), 11);
    }
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Companies_Domain")->itemText(2),
              QStringLiteral("     Afaceri"));
}

TEST_F(UpdatePopupTest, CompanyPopupHasGroupsDomainsAndCategoriesWithIconsAndHints)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    QAction* groupItem = Find<QMenu>(&main, "Popup_Companies_Down")->actions().front();
    EXPECT_EQ(MenuItemCaption(groupItem), QStringLiteral("Business Mass.media Advertising"));
    EXPECT_FALSE(groupItem->icon().isNull());
    QMenu* group = groupItem->menu<QMenu*>();
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->actions().size(), 3);
    QMenu* media = group->actions().at(1)->menu<QMenu*>();
    ASSERT_NE(media, nullptr);
    EXPECT_EQ(MenuItemCaption(group->actions().at(1)), QStringLiteral("Mass.media"));
    // "Mass.media" finds the categories whose table names begin "Mass.Media-".
    EXPECT_FALSE(media->actions().isEmpty());
    for (QAction* category : media->actions()) {
        EXPECT_EQ(MenuItemHint(category), QStringLiteral("Business Mass.media Advertising;Mass.media"));
    }
}

TEST_F(UpdatePopupTest, NewBusinessAdsListsAllCategoriesThenTheTenGroupsOfTheLanguage)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    for (Language language : {Language::EN, Language::RO}) {
        main.ApplyLanguage(language);
        const QList<QAction*> items = Find<QMenu>(&main, "Newbusinessads1")->actions();
        ASSERT_EQ(items.size(), 12);
        EXPECT_EQ(Shown(items[0]->text()), language == Language::EN ? QStringLiteral("All categories")
                                                                    : QStringLiteral("Toate categoriile"));
        EXPECT_EQ(MenuItemHint(items[0]), QStringLiteral("all"));
        EXPECT_TRUE(items[1]->isSeparator());
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(MenuItemHint(items[2 + i]), QString(QChar(u'a' + i)));
            EXPECT_EQ(MenuItemCaption(items[2 + i]),
                      Find<QComboBox>(&main, "ComboBox_Internet_Domain")->itemText(1 + i));
        }
    }
    EXPECT_EQ(MenuItemCaption(Find<QMenu>(&main, "Newbusinessads1")->actions().at(2)),
              QStringLiteral("Afaceri Media Publicitate"));
}

TEST_F(UpdatePopupTest, AGroupItemChecksOnlyItsGroupAndAsksForItsKey)
{
    PublisherStub server;
    server.SetIdList("!\r\n");
    Program program(folder_, SettingsFile(), {}, server.BaseUrl());
    TForm_Main& main = *program.main;

    QAction* trade = Find<QMenu>(&main, "Newbusinessads1")->actions().at(2 + 4);
    EXPECT_EQ(MenuItemCaption(trade), QStringLiteral("Trade Services"));
    trade->trigger();
    program.WaitForUpdate();
    const std::vector<bool> checked = program.update->CheckedGroups();
    ASSERT_EQ(checked.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(checked[i], i == 4) << i;
    }
    const std::vector<std::string> targets = server.DecodedTargets();
    EXPECT_NE(std::find(targets.begin(), targets.end(), "/ro/select_o.php?option=all&a5=1"), targets.end());
    EXPECT_EQ(Shown(Find<QLabel>(&main, "Label_Status")->text()), QStringLiteral("No new opportunities."));
    EXPECT_FALSE(Find<QProgressBar>(&main, "Progress")->isVisible());

    server.ClearRequests();
    Find<QMenu>(&main, "Newbusinessads1")->actions().front()->trigger();
    program.WaitForUpdate();
    std::string all = "/ro/select_o.php?option=all";
    for (int i = 1; i <= 10; ++i) {
        all += "&a" + std::to_string(i) + "=1";
    }
    const std::vector<std::string> again = server.DecodedTargets();
    EXPECT_NE(std::find(again.begin(), again.end(), all), again.end());
}

TEST_F(UpdatePopupTest, AdsUpdateKeepsTheWindowResponsiveAndItsCommandsLockedWhileItRuns)
{
    PublisherStub server;
    server.SetIdList("5001\r\n5002\r\n101\r\n"); // 101 is held already
    server.SetAd("5001", AdLine("5001", "a", "New insurance offer"));
    server.SetAd("5002", AdLine("5002", "a", "Second new offer"));
    server.SetFault("/ro/select_o.php?option=one&id=5002", PublisherStub::Fault::Slow,
                    std::chrono::milliseconds(400));
    Program program(folder_, SettingsFile(), {}, server.BaseUrl());
    TForm_Main& main = *program.main;
    main.show();
    const std::uintmax_t before = AdCount(folder_ / "bursa.db");

    int ticks = 0;
    bool lockedDuringUpdate = true;
    bool gaugeShown = false;
    int gaugeMost = 0;
    bool secondStarted = true;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        // A tick between the end of the update and the end of the wait sees
        // the commands given back, as it should.
        if (program.session->Running()) {
            lockedDuringUpdate = lockedDuringUpdate && !Find<QAction>(&main, "Allcompanies1")->isEnabled() &&
                                 !Find<QMenu>(&main, "Newbusinessads1")->actions().front()->isEnabled();
        }
        gaugeShown = gaugeShown || Find<QProgressBar>(&main, "Progress")->isVisible();
        gaugeMost = std::max(gaugeMost, Find<QProgressBar>(&main, "Progress")->value());
        if (ticks == 3) {
            secondStarted = program.update->UpdateCompanies();
        }
    });
    timer.start();
    Find<QMenu>(&main, "Newbusinessads1")->actions().front()->trigger();
    program.WaitForUpdate();
    timer.stop();

    EXPECT_GE(ticks, 10);
    EXPECT_TRUE(lockedDuringUpdate);
    EXPECT_TRUE(gaugeShown);
    EXPECT_GE(gaugeMost, 1); // the ads counted while the slow one was awaited
    EXPECT_FALSE(secondStarted);
    EXPECT_EQ(AdCount(folder_ / "bursa.db"), before + 2);
    EXPECT_EQ(Shown(Find<QLabel>(&main, "Label_Status")->text()),
              QString::fromStdString(AdsAddedText(2, Language::EN)));
    EXPECT_FALSE(Find<QProgressBar>(&main, "Progress")->isVisible());
    EXPECT_TRUE(Find<QAction>(&main, "Allcompanies1")->isEnabled());
    for (QAction* item : Find<QMenu>(&main, "Newbusinessads1")->actions()) {
        EXPECT_TRUE(item->isEnabled());
    }
    EXPECT_EQ(Find<QProgressBar>(program.update.get(), "Progress")->value(), 2);

    // The new ads are found by the next search.
    Find<QLineEdit>(&main, "Edit_Internet_Company")->setText(QStringLiteral("second new"));
    Find<PictureButton>(&main, "Button_Internet_Search")->click();
    EXPECT_EQ(Find<QTreeWidget>(&main, "ListView_Internet")->topLevelItemCount(), 1);
    main.close();
}

TEST_F(UpdatePopupTest, ClosingDuringAnUpdateAsksAndStoppingEndsItAtOnceWithoutABox)
{
    PublisherStub server;
    server.SetIdList("7001\r\n7002\r\n");
    server.SetAd("7001", AdLine("7001", "a", "First"));
    server.SetAd("7002", AdLine("7002", "a", "Second"));
    server.SetFault("/ro/select_o.php?option=one&id=7002", PublisherStub::Fault::Slow,
                    std::chrono::milliseconds(1500));
    Program program(folder_, SettingsFile(), {}, server.BaseUrl());
    TForm_Main& main = *program.main;
    main.show();
    Find<QMenu>(&main, "Newbusinessads1")->actions().front()->trigger();
    QEventLoop wait;
    QTimer::singleShot(300, &wait, &QEventLoop::quit);
    wait.exec();
    ASSERT_TRUE(program.session->Running());

    InfoBox::SetAnswerYes(false);
    main.close();
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(program.session->Running());
    ASSERT_EQ(InfoBox::ShownTexts().size(), 1);

    InfoBox::SetAnswerYes(true);
    InfoBox::ClearShownTexts();
    QElapsedTimer stopping;
    stopping.start();
    main.close();
    EXPECT_LT(stopping.elapsed(), 1000);
    EXPECT_FALSE(main.isVisible());
    EXPECT_FALSE(program.session->Running());
    // Whatever the stopped update still had queued shows no box.
    QTimer::singleShot(100, &wait, &QEventLoop::quit);
    wait.exec();
    EXPECT_EQ(InfoBox::ShownTexts().size(), 1);
    EXPECT_EQ(std::filesystem::file_size(folder_ / "bursa.db") % 578, 0u);
}

TEST_F(UpdatePopupTest, ALanguageSwitchDuringAnUpdateRebuildsTheItemsStillLocked)
{
    PublisherStub server;
    server.SetIdList("6001\r\n");
    server.SetAd("6001", AdLine("6001", "b", "Seeds"));
    server.SetFault("/ro/select_o.php?option=one&id=6001", PublisherStub::Fault::Slow,
                    std::chrono::milliseconds(200));
    Program program(folder_, SettingsFile(), {}, server.BaseUrl());
    TForm_Main& main = *program.main;

    bool switched = false;
    bool newItemsLocked = false;
    QTimer::singleShot(50, [&] {
        Find<QAction>(&main, "Romana1")->trigger();
        switched = true;
        newItemsLocked = !Find<QMenu>(&main, "Newbusinessads1")->actions().at(2)->isEnabled();
    });
    Find<QMenu>(&main, "Newbusinessads1")->actions().at(3)->trigger();
    program.WaitForUpdate();
    EXPECT_TRUE(switched);
    EXPECT_TRUE(newItemsLocked);
    EXPECT_EQ(main.CurrentLanguage(), Language::RO);
    EXPECT_TRUE(Find<QMenu>(&main, "Newbusinessads1")->actions().at(2)->isEnabled());
    EXPECT_EQ(MenuItemCaption(Find<QMenu>(&main, "Newbusinessads1")->actions().at(2)),
              QStringLiteral("Afaceri Media Publicitate"));
}

TEST_F(UpdatePopupTest, CompanyUpdateFromTheItemAppliesTheAnswer)
{
    PublisherStub server;
    server.SetCompanyAnswer("!Omega Noua`B`Str. 1```````a.c.21*s````about`\r\n");
    server.SetFault("/ro/select_c.php", PublisherStub::Fault::NotFound);
    Program program(folder_, SettingsFile(), {}, server.BaseUrl());
    TForm_Main& main = *program.main;
    auto* status = Find<QLabel>(&main, "Label_Status");
    // Why it failed is a tip of the status line, and its description for the keyboard.
    Find<QAction>(&main, "Allcompanies1")->trigger();
    // While the answer arrives the status line says so.
    EXPECT_EQ(status->text(), QStringLiteral("Downloading the companies..."));
    program.WaitForUpdate();
    EXPECT_EQ(status->text(), QString::fromStdString(GetMessageText(3, Language::EN)));
    EXPECT_EQ(status->toolTip(), QStringLiteral("HTTP 404"));
    EXPECT_EQ(status->accessibleDescription(), QStringLiteral("HTTP 404"));

    server.SetFault("/ro/select_c.php", PublisherStub::Fault::None);
    Find<QAction>(&main, "Allcompanies1")->trigger();
    program.WaitForUpdate();
    EXPECT_EQ(std::filesystem::file_size(folder_ / "database.db"), 6u * 766u);
    EXPECT_EQ(status->text(), QString::fromStdString(CompaniesUpdatedText(1, Language::EN)));
    EXPECT_EQ(status->toolTip(), QString());
    EXPECT_EQ(status->accessibleDescription(), QString());
    EXPECT_TRUE(Find<QAction>(&main, "Allcompanies1")->isEnabled());

    // A folder the answer cannot be written in is named, with the reason.
    std::filesystem::remove_all(folder_ / "Temp");
    WriteBytes(folder_ / "Temp", "");
    main.ApplyLanguage(Language::RO);
    Find<QAction>(&main, "Allcompanies1")->trigger();
    EXPECT_EQ(status->text(), QStringLiteral("Se descarca companiile..."));
    program.WaitForUpdate();
    EXPECT_TRUE(status->text().startsWith(QStringLiteral("Nu am putut scrie in dosarul ") +
                                          ToQString(folder_ / "Temp")))
        << status->text().toStdString();
}

TEST_F(UpdatePopupTest, UpdateDialogStaysHiddenWithItsListOfGroups)
{
    Program program(folder_, SettingsFile());
    TForm_Update& dialog = *program.update;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Update"));
    EXPECT_EQ(dialog.size(), QSize(408, 366));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.UpdateRunning());
    program.main->ApplyLanguage(Language::RO);
    dialog.FillDomainList();
    ASSERT_EQ(Find<QListWidget>(&dialog, "ListBox_Domains")->count(), 10);
    EXPECT_EQ(Find<QListWidget>(&dialog, "ListBox_Domains")->item(0)->text(),
              QStringLiteral("Afaceri Media Publicitate"));
    EXPECT_EQ(dialog.CheckedGroups(), std::vector<bool>(10, true));
    dialog.CheckGroupsOfHint(QStringLiteral("z"));
    EXPECT_EQ(dialog.CheckedGroups(), std::vector<bool>(10, false));
    EXPECT_EQ(Shown(Find<QLabel>(&dialog, "Label1")->text()),
              QStringLiteral("Select domains you want to update"));
}

} // namespace
} // namespace dorvanta::test
