// The trade register's import from the update popup, and a window that never
// waits for an import writing the file it would read.

#include "app/app_test_support.h"

#include "app/info_box.h"
#include "data/messages.h"
#include "data/record_file.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

namespace dorvanta::test {
namespace {

using RegisterWindowTest = WindowTest;

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

} // namespace
} // namespace dorvanta::test
