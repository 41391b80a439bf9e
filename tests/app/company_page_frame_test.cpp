// What the user keeps around a company's page: the Favourites star, the note
// saved as it is typed, and Back and Forward through the profiles opened,
// all kept in the user's own file beside the settings.

#include "app/app_test_support.h"

#include "app/company_page_frame.h"
#include "app/company_panel.h"
#include "mine/mine_store.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <sqlite3.h>

namespace dorvanta::test {
namespace {

class CompanyPageFrameTest : public WindowTest
{
protected:
    std::filesystem::path MineFile() const { return settingsDir_ / "mine.sqlite"; }

    static void Open(TForm_Main& main, int row)
    {
        auto* list = Find<QTreeWidget>(&main, "ListView_Companies");
        list->setCurrentItem(list->topLevelItem(row));
        QTest::keyClick(list, Qt::Key_Return);
    }
    static CompanyPageFrame& Frame(TForm_Main& main)
    {
        return Find<CompanyPanel>(&main, "Panel_Companies")->PageFrame();
    }
};

TEST_F(CompanyPageFrameTest, TheStarTheNoteAndTheHistoryAreKeptForTheNextStart)
{
    {
        Program program(folder_, SettingsFile());
        TForm_Main& main = *program.main;
        // Alt+Left goes through the shortcut map, which needs the window active.
        main.show();
        QApplication::setActiveWindow(&main);
        Find<PictureButton>(&main, "Button_Companies_Search")->click();
        // Rows: Alfa Asigurari, Beta Covoare, Gama Banci, Delta Alfa Impex.
        Open(main, 0);
        Find<QToolButton>(&main, "Button_Companies_Favourite")->click();
        auto* note = Find<QPlainTextEdit>(&main, "Memo_Companies_Note");
        ASSERT_TRUE(note->isEnabled());
        note->insertPlainText(QStringLiteral("Sună luni"));
        // Going to another company writes the note at once, without the pause.
        Open(main, 1);
        EXPECT_TRUE(note->toPlainText().isEmpty());
        Open(main, 3);

        CompanyPageFrame& frame = Frame(main);
        EXPECT_EQ(frame.CompanyKey(), "DELTA ALFA IMPEX");
        Find<QToolButton>(&main, "Button_Companies_Back")->click();
        EXPECT_EQ(frame.CompanyKey(), "BETA COVOARE");
        QTest::keyClick(Find<QTreeWidget>(&main, "ListView_Companies"), Qt::Key_Left, Qt::AltModifier);
        EXPECT_EQ(frame.CompanyKey(), "ALFA ASIGURARI");
        EXPECT_EQ(note->toPlainText(), QStringLiteral("Sună luni"));
        EXPECT_TRUE(Find<QToolButton>(&main, "Button_Companies_Favourite")->isChecked());
        EXPECT_FALSE(frame.CanGoBack());
        Find<QToolButton>(&main, "Button_Companies_Forward")->click();
        EXPECT_EQ(frame.CompanyKey(), "BETA COVOARE");
        // Stepping through the history does not reorder it.
        note->insertPlainText(QStringLiteral("Covoare ieftine"));
    }
    MineStore store(MineFile());
    EXPECT_EQ(store.Entries(kFavouritesList)->size(), 1u);
    EXPECT_EQ(store.Entries(kFavouritesList)->front().name, "ALFA ASIGURARI");
    EXPECT_EQ(store.Note("ALFA ASIGURARI"), "Sună luni");
    // Closing the window wrote the note still waiting for its pause.
    EXPECT_EQ(store.Note("BETA COVOARE"), "Covoare ieftine");
    EXPECT_EQ(store.History(),
              (std::vector<std::string>{"DELTA ALFA IMPEX", "BETA COVOARE", "ALFA ASIGURARI"}));

    // The next start goes back through the same history.
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    EXPECT_TRUE(Find<QToolButton>(&main, "Button_Companies_Back")->isEnabled());
}

// A note typed while another program holds the file is not lost: the
// status line says so, and it is written once the file is free.
TEST_F(CompanyPageFrameTest, ANoteThatCannotBeWrittenNowIsKeptAndWrittenLater)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    Open(main, 0);
    auto* note = Find<QPlainTextEdit>(&main, "Memo_Companies_Note");

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(MineFile().string().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    note->insertPlainText(QStringLiteral("Oferta trimisa"));
    Frame(main).SaveNote();
    EXPECT_TRUE(Find<QLabel>(&main, "Label_Status")->text().contains(QStringLiteral("another program")));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    Open(main, 1);
    EXPECT_EQ(MineStore(MineFile()).Note("ALFA ASIGURARI"), "Oferta trimisa");
}

} // namespace
} // namespace dorvanta::test
