// The result lists and the search boxes as a reader uses them: the page
// always belongs to the highlighted row, Enter goes into it, and a
// placeholder never becomes part of what is searched.

#include "app/app_test_support.h"

#include "app/html_view.h"
#include "app/search_panel.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace dorvanta::test {
namespace {

using ResultListTest = WindowTest;

TEST_F(ResultListTest, ThePageIsAlwaysTheCurrentRowsAndLoadsOncePerMove)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.show();
    QTreeWidget* list = Find<QTreeWidget>(&main, "ListView_Companies");
    HtmlView* view = Find<HtmlView>(&main, "Web_Companies");
    const auto shows = [view](const char* name) { return view->toPlainText().contains(QLatin1String(name)); };

    // After a search the first row is current and selected, and its page shows.
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
    EXPECT_TRUE(list->topLevelItem(0)->isSelected());
    EXPECT_TRUE(shows("Alfa Asigurari"));

    // Arrow keys pressed quickly, each press and release: one load a move,
    // and the page is the highlighted row's after every event.
    int loads = 0;
    QObject::connect(view, &HtmlView::navigationComplete, view, [&loads] { ++loads; });
    const char* names[] = {"Alfa Asigurari", "Beta Covoare", "Gama Banci", "Delta Alfa Impex",
                           "Delta Alfa Impex"};
    list->setFocus();
    for (int i = 1; i <= 4; ++i) {
        SendKey(list, QEvent::KeyPress, Qt::Key_Down);
        EXPECT_TRUE(shows(names[i])) << i;
        SendKey(list, QEvent::KeyRelease, Qt::Key_Down);
        EXPECT_TRUE(shows(names[i])) << i;
        EXPECT_TRUE(shows(list->currentItem()->text(1).toLatin1().constData()));
    }
    EXPECT_EQ(loads, 3); // the fourth press is at the last row
    EXPECT_EQ(list->currentItem(), list->topLevelItem(3));

    // A click on another row shows it; a click below the rows changes nothing.
    SendMouse(list->viewport(), QEvent::MouseButtonPress,
              list->visualItemRect(list->topLevelItem(1)).center());
    SendMouse(list->viewport(), QEvent::MouseButtonRelease,
              list->visualItemRect(list->topLevelItem(1)).center());
    EXPECT_TRUE(shows("Beta Covoare"));
    SendMouse(list->viewport(), QEvent::MouseButtonRelease, QPoint(5, list->viewport()->height() - 2));
    EXPECT_TRUE(shows("Beta Covoare"));

    // A record that has gone from the file leaves the page as it was.
    std::filesystem::resize_file(folder_ / "database.db", 766);
    list->setCurrentItem(list->topLevelItem(3));
    EXPECT_TRUE(shows("Beta Covoare"));

    // The opportunity list shows its ads the same way.
    Find<PictureButton>(&main, "Button_Internet_Search")->click();
    Find<PictureButton>(&main, "Button_Menu_Internet")->click();
    Find<QTreeWidget>(&main, "ListView_Internet")
        ->setCurrentItem(Find<QTreeWidget>(&main, "ListView_Internet")->topLevelItem(2));
    EXPECT_TRUE(
        Find<HtmlView>(&main, "Web_Internet")->toPlainText().contains(QStringLiteral("Request for carpets")));
    main.close();
}

TEST_F(ResultListTest, EnterGoesIntoThePageAndSearchAsYouTypeLeavesThePageBeingRead)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.show();
    main.activateWindow();
    QApplication::setActiveWindow(&main);
    QTreeWidget* list = Find<QTreeWidget>(&main, "ListView_Companies");
    HtmlView* view = Find<HtmlView>(&main, "Web_Companies");
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    list->setFocus();
    SendKey(list, QEvent::KeyPress, Qt::Key_Down);
    SendKey(list, QEvent::KeyRelease, Qt::Key_Down);
    // No bounce through the name box: the list keeps the keyboard.
    EXPECT_EQ(QApplication::focusWidget(), list);
    SendKey(list, QEvent::KeyPress, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), view);
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("Beta Covoare")));

    // A search made in a pause of typing lists its rows, the first current,
    // and the page stays the one being read.
    QLineEdit* box = Find<QLineEdit>(&main, "Edit_Companies_Company");
    box->setText(QStringLiteral("Gama"));
    Find<QAction>(&main, "SearchAsYouType1")->setChecked(true);
    emit box->textEdited(box->text());
    QTimer* pause = Find<QTimer>(Find<QWidget>(&main, "Panel_Companies"), "TypingPause");
    QElapsedTimer waited;
    waited.start();
    while (pause->isActive() && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("Beta Covoare")));
    auto* panel = Find<SearchPanel>(&main, "Panel_Companies");
    EXPECT_EQ(panel->ShownRowText(), QString()); // what a PDF of the page is named after
    // Enter opens the highlighted row then.
    list->setFocus();
    SendKey(list, QEvent::KeyPress, Qt::Key_Return);
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("Gama Banci")));
    EXPECT_EQ(panel->ShownRowText(), QStringLiteral("Gama Banci"));
    main.close();
}

TEST_F(ResultListTest, AdsShowTheirDateSortNewestFirstByItsHeaderAndFilterByAge)
{
    const QDate today = QDate::currentDate();
    std::vector<OpportunityRecord> ads = StandardAds();
    ads[0].InsertDate = today.addDays(-40).toString(QStringLiteral("dd.MM.yyyy")).toStdString();
    ads[1].InsertDate = "curand"; // does not parse: old, and last in either order
    ads[2].InsertDate = today.toString(QStringLiteral("yyyy-MM-dd")).toStdString();
    ads[3].InsertDate = today.addDays(-10).toString(QStringLiteral("dd/MM/yyyy")).toStdString();
    WriteRecordFile(folder_ / "bursa.db", ads);
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.show();
    QApplication::setActiveWindow(&main);
    Find<PictureButton>(&main, "Button_Menu_Internet")->click();
    QTreeWidget* list = Find<QTreeWidget>(&main, "ListView_Internet");
    const auto order = [list] {
        QStringList subjects;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            subjects.append(list->topLevelItem(i)->text(1).section(' ', -1));
        }
        return subjects;
    };
    Find<PictureButton>(&main, "Button_Internet_Search")->click();
    ASSERT_EQ(list->columnCount(), 3);
    EXPECT_EQ(list->headerItem()->text(2), QStringLiteral("Date"));
    EXPECT_EQ(list->topLevelItem(2)->text(2), QStringLiteral("curand"));
    // The subject keeps room for a whole subject of this length at the window's usual size.
    EXPECT_GE(list->header()->sectionSize(1), list->fontMetrics().horizontalAdvance("Request for carpets"));
    EXPECT_GE(list->header()->sectionSize(2), list->fontMetrics().horizontalAdvance("00.00.0000"));
    EXPECT_TRUE(list->header()->toolTip().contains(QLatin1String("Ctrl+3")));

    // The header's click: newest first, again oldest first; the undated ad last both times.
    QHeaderView* header = list->header();
    const QPoint onDate(header->sectionViewportPosition(2) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, onDate);
    EXPECT_EQ(order(), (QStringList{"offer", "rugs", "insurance", "carpets"}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, onDate);
    EXPECT_EQ(order(), (QStringList{"insurance", "rugs", "offer", "carpets"}));
    // Another column, then Ctrl+3 brings the newest first back.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_2, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(order(), (QStringList{"offer", "rugs", "insurance", "carpets"}));

    // The filter box, in both languages, keeping its choice.
    QComboBox* dates = Find<QComboBox>(&main, "ComboBox_Internet_Date");
    dates->setCurrentIndex(1);
    Find<PictureButton>(&main, "Button_Internet_Search")->click();
    EXPECT_EQ(order(), (QStringList{"offer"}));
    dates->setCurrentIndex(2);
    Find<PictureButton>(&main, "Button_Internet_Search")->click();
    EXPECT_EQ(order(), (QStringList{"rugs", "offer"}));
    main.ApplyLanguage(Language::RO);
    EXPECT_EQ(dates->currentIndex(), 2);
    EXPECT_EQ(dates->itemText(0), QStringLiteral("Oricand"));
    EXPECT_EQ(dates->itemText(2), QStringLiteral("Ultimele 30 de zile"));
    EXPECT_EQ(list->headerItem()->text(2), QStringLiteral("Data"));
    main.close();
}

TEST_F(ResultListTest, EveryEditOfAPlaceholderStartsFromAnEmptyBoxAndKeepsTheCriteria)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    QLineEdit* box = Find<QLineEdit>(&main, "Edit_Companies_Company");
    QComboBox* type = Find<QComboBox>(&main, "ComboBox_Companies_Type");
    type->setCurrentIndex(2);

    // Backspace as the first key.
    box->setCursorPosition(static_cast<int>(box->text().size()));
    SendKey(box, QEvent::KeyPress, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), QString());

    // A paste (the keyboard, the context menu and the middle button all paste
    // into the text) in the middle of the placeholder.
    box->setText(QStringLiteral("Search for company?"));
    QApplication::clipboard()->setText(QStringLiteral("Beta"));
    box->setCursorPosition(6);
    box->paste();
    EXPECT_EQ(box->text(), QStringLiteral("Beta"));

    // An input method's text.
    box->setText(QStringLiteral("Cauti o companie?"));
    box->setCursorPosition(3);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("Gam"));
    QApplication::sendEvent(box, &composed);
    EXPECT_EQ(box->text(), QStringLiteral("Gam"));
    EXPECT_EQ(type->currentIndex(), 2);

    // The user's own text is edited as usual.
    SendKey(box, QEvent::KeyPress, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), QStringLiteral("Ga"));
}

} // namespace
} // namespace dorvanta::test
