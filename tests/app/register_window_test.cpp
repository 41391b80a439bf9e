// The trade register's import from the update popup, and a window that never
// waits for an import writing the file it would read.

#include "app/app_test_support.h"

#include "app/info_box.h"
#include "data/messages.h"
#include "data/record_file.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTreeWidget>

namespace dorvanta::test {
namespace {

using RegisterWindowTest = WindowTest;

// A snapshot whose import takes seconds: many batches of records.
std::filesystem::path LargeSnapshot(const ProgramFolder& folder, int companies)
{
    const std::filesystem::path snapshot = folder / "large";
    std::filesystem::create_directories(snapshot);
    std::string text =
        "DENUMIRE^CUI^COD_INMATRICULARE^DATA_INMATRICULARE^ADR_TARA^ADR_JUDET^ADR_LOCALITATE\r\n";
    for (int i = 0; i < companies; ++i) {
        const std::string n = std::to_string(i);
        text += "FIRMA " + n + " SRL^" + n + "^J12/" + n + "/2001^01/02/2001^^CLUJ^Turda\r\n";
    }
    WriteBytes(snapshot / "OD_FIRME.CSV", text);
    return snapshot;
}

// Lets the window's events run until `done` holds, for at most `ms`.
template <typename Done> bool RunUntil(Done done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}

TEST_F(RegisterWindowTest, TheRegisterItemImportsASnapshotWhoseCompaniesAreFoundAtOnce)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    const std::filesystem::path snapshot = folder_ / "register";
    std::filesystem::create_directories(snapshot);
    WriteBytes(snapshot / "OD_FIRME.CSV",
               "\xEF\xBB\xBF"
               "DENUMIRE^CUI^COD_INMATRICULARE^DATA_INMATRICULARE^ADR_TARA^ADR_JUDET^ADR_LOCALITATE\r\n"
               "ZIMBRU CONSTRUC\xC8\x9AII SRL^123^J12/1/2001^01/02/2001^Rom\xC3\xA2nia^CLUJ^Cluj-Napoca\r\n"
               "ZIMBRU TRANS SRL^124^J12/2/2002^01/02/2002^^Cluj^Turda\r\n");
    auto* status = Find<QLabel>(&main, "Label_Status");

    InfoBox::SetNextFolder(QString::fromStdU16String(snapshot.u16string()));
    Find<QAction>(&main, "ImportRegister1")->trigger();
    program.WaitForUpdate();

    EXPECT_EQ(status->text(), QString::fromStdString(RegisterImportedText(2, Language::EN)));
    Find<QLineEdit>(&main, "Edit_Companies_Company")->setText(QStringLiteral("zimbru"));
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    EXPECT_EQ(Find<QTreeWidget>(&main, "ListView_Companies")->topLevelItemCount(), 2);

    // A folder that holds no snapshot says which file it lacks, and writes nothing.
    const auto size = std::filesystem::file_size(folder_ / "database.db");
    InfoBox::SetNextFolder(QString::fromStdU16String((folder_ / "Help").u16string()));
    Find<QAction>(&main, "ImportRegister1")->trigger();
    program.WaitForUpdate();
    EXPECT_TRUE(status->text().contains(QStringLiteral("OD_FIRME"))) << status->text().toStdString();
    EXPECT_EQ(std::filesystem::file_size(folder_ / "database.db"), size);
}

TEST_F(RegisterWindowTest, SearchesAndPagesSayTheDatabaseIsBeingUpdatedInsteadOfWaiting)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    auto* list = Find<QTreeWidget>(&main, "ListView_Companies");
    ASSERT_EQ(list->topLevelItemCount(), 4);
    for (const Language language : {Language::EN, Language::RO}) {
        main.ApplyLanguage(language);
        // Another program's import writes the file.
        RecordFile writer(folder_ / "database.db", 766);
        writer.Lock(FileLock::Exclusive);
        Find<PictureButton>(&main, "Button_Companies_Search")->click();
        EXPECT_EQ(Find<QLabel>(&main, "Label_Status")->text(),
                  QString::fromStdString(DatabaseBusyText(language)));
        EXPECT_EQ(list->topLevelItemCount(), 4) << "the rows shown stay";
    }
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    EXPECT_EQ(Find<QLabel>(&main, "Label_Status")->text(),
              QString::fromStdString(FoundRecordsText(4, Language::RO)));
}

// Closing the window while the import writes records stops it between two
// batches: the window is gone within a second, and the file holds whole records.
TEST_F(RegisterWindowTest, ClosingTheWindowDuringAnImportClosesItWithinASecond)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    const auto snapshot = LargeSnapshot(folder_, 200000);
    main.show();
    InfoBox::SetNextFolder(QString::fromStdU16String(snapshot.u16string()));
    Find<QAction>(&main, "ImportRegister1")->trigger();
    // The reading of the snapshot is over and records are being written.
    auto* gauge = Find<QProgressBar>(&main, "Progress");
    ASSERT_TRUE(RunUntil([&] { return gauge->maximum() > 1000 && gauge->value() > 0; }, 60000));
    ASSERT_TRUE(program.session->Running()) << "the import ended before the window was closed";

    InfoBox::SetAnswerYes(true); // "stop the update?"
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(main.close());
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_FALSE(program.session->Running());
    EXPECT_EQ(std::filesystem::file_size(folder_ / "database.db") % 766, 0u);
}

// An update stopped after its worker had ended leaves a late completion in the
// queue: it must neither join the next update's worker nor end it.
TEST_F(RegisterWindowTest, ALateCompletionOfAStoppedUpdateDoesNotEndTheNextOne)
{
    Program program(folder_, SettingsFile());
    UpdateSession& session = *program.session;
    int finished = 0;
    QObject::connect(&session, &UpdateSession::finished, [&] { ++finished; });
    ASSERT_TRUE(session.StartCompanies()); // no server: it fails at once
    session.CancelAndWait();               // its completion is still queued
    ASSERT_EQ(finished, 1);
    ASSERT_TRUE(session.StartRegisterImport(LargeSnapshot(folder_, 200000)));
    QElapsedTimer timer;
    timer.start();
    QCoreApplication::processEvents();
    EXPECT_LT(timer.elapsed(), 1000) << "the late completion waited for the running import";
    EXPECT_TRUE(session.Running());
    EXPECT_EQ(finished, 1);
    session.CancelAndWait();
    EXPECT_EQ(finished, 2);
}

} // namespace
} // namespace dorvanta::test
