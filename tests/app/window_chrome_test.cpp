// The window's chrome: where the popups open, maximise and restore, the size
// grip and moving by the title picture.

#include "app/app_test_support.h"

#include "app/window_chrome.h"
#include "app/window_geometry.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QSplitter>

namespace dorvanta::test {
namespace {

using WindowChromeTest = WindowTest;

TEST(PopupPositionTest, FollowsTheWindowRightOfTheScreenEdgeAndStaysFixedAtOrBeyondIt)
{
    const PopupSlot popups[] = {PopupSlot::CompaniesDown, PopupSlot::InternetDown, PopupSlot::Update,
                                PopupSlot::Insert,        PopupSlot::Settings,     PopupSlot::Help};
    const int atEdge[] = {12, 139, 267, 374, 481, 590};
    const int atOne[] = {16, 143, 271, 378, 485, 594};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(PopupPosition(popups[i], 0, 100, 30), QPoint(atEdge[i], 150)) << i;
        EXPECT_EQ(PopupPosition(popups[i], -250, 100, 30), QPoint(atEdge[i], 150)) << i;
        EXPECT_EQ(PopupPosition(popups[i], 1, 100, 30), QPoint(atOne[i], 150)) << i;
        EXPECT_EQ(PopupPosition(popups[i], 101, 7, 30), QPoint(atOne[i] + 100, 57)) << i;
    }
}

TEST_F(WindowChromeTest, TheFirstWindowIsWhollyOnItsScreenAtAnyScale)
{
    // A 1920 x 1080 screen at 200 %: 960 x 540 less the task bar.
    const QRect small(0, 0, 960, 510);
    EXPECT_EQ(FirstWindowBounds(QSize(800, 578), small), QRect(80, 0, 800, 510));
    EXPECT_EQ(FirstWindowBounds(QSize(800, 578), QRect(0, 0, 1280, 800)), QRect(240, 111, 800, 578));
    // A second screen left of the first, with its task bar at the top.
    EXPECT_EQ(FirstWindowBounds(QSize(800, 578), QRect(-700, 40, 700, 500)), QRect(-700, 40, 700, 500));

    Program program(folder_, SettingsFile(), [small] { return small; });
    EXPECT_TRUE(small.contains(program.main->geometry())) << program.main->geometry().y();
}

TEST_F(WindowChromeTest, TheWindowComesBackWhereItClosedOnTheScreensPresent)
{
    const QList<QRect> screens{QRect(0, 0, 1280, 800), QRect(1280, 0, 1920, 1080)};
    EXPECT_EQ(BoundsOnScreens(QRect(1400, 50, 900, 600), screens), QRect(1400, 50, 900, 600));
    // Hanging over an edge: moved onto the screen holding most of it.
    EXPECT_EQ(BoundsOnScreens(QRect(2900, -30, 800, 600), screens), QRect(2400, 0, 800, 600));
    // A monitor unplugged since: the window opens as a first window does.
    EXPECT_FALSE(BoundsOnScreens(QRect(3500, 100, 800, 600), screens).isValid());
    EXPECT_FALSE(BoundsOnScreens(QRect(), screens).isValid());

    const QRect area(0, 0, 1600, 1000);
    {
        Program program(folder_, SettingsFile(), [area] { return area; });
        TForm_Main& main = *program.main;
        main.show();
        main.setGeometry(100, 120, 900, 650);
        Find<QSplitter>(&main, "Splitter_Companies")->setSizes({330, 570});
        Find<PictureButton>(&main, "Button_Menu_Restore")->click();
        main.close();
    }
    Program again(folder_, SettingsFile(), [area] { return area; });
    TForm_Main& main = *again.main;
    main.show();
    EXPECT_TRUE(main.WindowMaximized());
    EXPECT_EQ(main.geometry(), area);
    EXPECT_EQ(main.SavedBounds(), QRect(100, 120, 900, 650));
    EXPECT_EQ(Find<QSplitter>(&main, "Splitter_Companies")->sizes().value(0), 330);
}

TEST_F(WindowChromeTest, TheStatusLineKeepsEachPanelsCountWithItsPanel)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    auto* status = Find<QLabel>(&main, "Label_Status");
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    EXPECT_EQ(status->text(), QStringLiteral("Found 4 records."));
    Find<PictureButton>(&main, "Button_Menu_Internet")->click();
    EXPECT_EQ(status->text(), QString());
    Find<PictureButton>(&main, "Button_Internet_Search")->click();
    EXPECT_EQ(status->text(), QStringLiteral("Found 4 records."));
    Find<QComboBox>(&main, "ComboBox_Internet_Type")->setCurrentIndex(2);
    Find<PictureButton>(&main, "Button_Internet_Search")->click();
    EXPECT_EQ(status->text(), QStringLiteral("Found 2 records."));
    Find<PictureButton>(&main, "Button_Menu_Companies")->click();
    EXPECT_EQ(status->text(), QStringLiteral("Found 4 records."));
    // Another text (an update's) is left alone.
    status->setText(QStringLiteral("3 records was added. Your database is updated."));
    Find<PictureButton>(&main, "Button_Menu_Internet")->click();
    EXPECT_EQ(status->text(), QStringLiteral("3 records was added. Your database is updated."));
}

TEST_F(WindowChromeTest, PopupsOpenBelowTheMenuBarAtTheirPlaces)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.show();
    struct Case
    {
        PictureButton* button;
        QMenu* popup;
        int atOne;
    };
    const Case cases[] = {
        {Find<PictureButton>(&main, "Button_Menu_Update"), Find<QMenu>(&main, "Popup_Update"), 271},
        {Find<PictureButton>(&main, "Button_Menu_Settings"), Find<QMenu>(&main, "Popup_Settings"), 485},
        {Find<PictureButton>(&main, "Button_Menu_Insert"), Find<QMenu>(&main, "Popup_Insert"), 378}};
    for (const Case& c : cases) {
        main.move(1, 40);
        c.button->click();
        EXPECT_TRUE(c.popup->isVisible());
        EXPECT_EQ(c.popup->pos(), QPoint(c.atOne, 90)) << c.popup->objectName().toStdString();
        c.popup->close();

        main.move(-30, 40);
        c.button->click();
        EXPECT_EQ(c.popup->pos(), QPoint(c.atOne - 4, 90)) << c.popup->objectName().toStdString();
        c.popup->close();
    }
    main.close();
}

TEST_F(WindowChromeTest, MaximiseFillsTheWorkAreaAndRestoreGivesTheBoundsBackExactly)
{
    const QRect workArea(0, 0, 1024, 737);
    Program program(folder_, SettingsFile(), [workArea] { return workArea; });
    TForm_Main& main = *program.main;
    main.show();
    const QRect before(37, 51, 810, 590);
    main.setGeometry(before);

    Find<PictureButton>(&main, "Button_Menu_Restore")->click();
    EXPECT_TRUE(main.WindowMaximized());
    EXPECT_EQ(main.geometry(), workArea);
    EXPECT_EQ(main.SavedBounds(), before);
    EXPECT_TRUE(Find<QLabel>(&main, "Image_Ancora")->isHidden());

    Find<PictureButton>(&main, "Button_Menu_Restore")->click();
    EXPECT_FALSE(main.WindowMaximized());
    EXPECT_EQ(main.geometry(), before);
    EXPECT_FALSE(Find<QLabel>(&main, "Image_Ancora")->isHidden());

    // A double click on the title-bar picture toggles the same way.
    SendMouse(Find<QLabel>(&main, "Image_Center"), QEvent::MouseButtonDblClick, QPoint(300, 10));
    EXPECT_TRUE(main.WindowMaximized());
    EXPECT_EQ(main.geometry(), workArea);
    SendMouse(Find<QLabel>(&main, "Image_Center"), QEvent::MouseButtonDblClick, QPoint(300, 10));
    EXPECT_EQ(main.geometry(), before);
    main.close();
}

TEST_F(WindowChromeTest, GripResizesOnlyWhenReleasedAndNeverBelowTheMinimum)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.show();
    main.setGeometry(100, 80, 800, 578);

    SendMouse(Find<QLabel>(&main, "Image_Ancora"), QEvent::MouseButtonPress, QPoint(5, 5));
    EXPECT_EQ(main.SavedBounds(), QRect(100, 80, 800, 578));
    SendMouseAtScreen(Find<QLabel>(&main, "Image_Ancora"), QEvent::MouseMove, QPoint(1000, 700));
    EXPECT_EQ(main.size(), QSize(800, 578));
    SendMouseAtScreen(Find<QLabel>(&main, "Image_Ancora"), QEvent::MouseButtonRelease, QPoint(1000, 700));
    EXPECT_EQ(main.geometry(), QRect(100, 80, 907, 627));

    SendMouse(Find<QLabel>(&main, "Image_Ancora"), QEvent::MouseButtonPress, QPoint(5, 5));
    SendMouseAtScreen(Find<QLabel>(&main, "Image_Ancora"), QEvent::MouseButtonRelease, QPoint(300, 200));
    EXPECT_EQ(main.geometry(), QRect(100, 80, 600, 400));
    main.close();
}

TEST(GripReleaseBoundsTest, PutsTheCornerSevenPixelsPastTheCursor)
{
    EXPECT_EQ(GripReleaseBounds({10, 20, 800, 600}, {709, 519}, {600, 400}), QRect(10, 20, 706, 506));
    EXPECT_EQ(GripReleaseBounds({10, 20, 800, 600}, {0, 0}, {600, 400}), QRect(10, 20, 600, 400));
}

TEST_F(WindowChromeTest, DraggingTheTitlePictureMovesTheWindowAndTheTitleTextDoesNot)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.show();
    main.move(100, 100);
    const QPoint grab = main.mapToGlobal(QPoint(300, 10));
    SendMouseAtScreen(Find<QLabel>(&main, "Image_Center"), QEvent::MouseButtonPress, grab);
    SendMouseAtScreen(Find<QLabel>(&main, "Image_Center"), QEvent::MouseMove, grab + QPoint(40, 25));
    SendMouseAtScreen(Find<QLabel>(&main, "Image_Center"), QEvent::MouseButtonRelease, grab + QPoint(40, 25));
    // Without a window manager the window follows the mouse by hand.
    EXPECT_EQ(main.pos(), QPoint(140, 125));

    const QPoint onTitle = Find<QLabel>(&main, "Label1")->mapToGlobal(QPoint(5, 5));
    SendMouseAtScreen(Find<QLabel>(&main, "Label1"), QEvent::MouseButtonPress, onTitle);
    SendMouseAtScreen(Find<QLabel>(&main, "Label1"), QEvent::MouseMove, onTitle + QPoint(50, 50));
    SendMouseAtScreen(Find<QLabel>(&main, "Label1"), QEvent::MouseButtonRelease, onTitle + QPoint(50, 50));
    EXPECT_EQ(main.pos(), QPoint(140, 125));
    main.close();
}

} // namespace
} // namespace dorvanta::test
