// Printing the page in front, and saving it as PDF when there is no printer.

#include "app/app_test_support.h"

#include "app/html_view.h"
#include "app/page_printer.h"

#include <QAction>
#include <QPrinterInfo>

namespace dorvanta::test {
namespace {

using PrintingTest = WindowTest;

// The number of pages a PDF written by Qt holds, from its page tree.
int PdfPageCount(const std::filesystem::path& path)
{
    const std::string bytes = ReadBytes(path);
    const std::size_t at = bytes.find("/Count ");
    return at == std::string::npos ? -1 : std::atoi(bytes.c_str() + at + 7);
}

TEST_F(PrintingTest, PrintSendsTheViewOfTheCurrentPanel)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.show();
    const std::filesystem::path pdf = settingsDir_ / "printed.pdf";
    SetPrintRedirect(ToQString(pdf));

    Find<QAction>(&main, "Content1")->trigger();
    Find<QAction>(&main, "Pint1")->trigger();
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_EQ(ReadBytes(pdf).substr(0, 5), "%PDF-");
    EXPECT_GE(PdfPageCount(pdf), 3); // the long help contents

    // Back to the companies: their start page prints, one page.
    std::filesystem::remove(pdf);
    Find<PictureButton>(&main, "Button_Menu_Companies")->click();
    Find<QAction>(&main, "Pint1")->trigger();
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_EQ(PdfPageCount(pdf), 1);
    EXPECT_TRUE(InfoBox::ShownTexts().isEmpty());
    SetPrintRedirect(QString());
    main.close();
}

TEST_F(PrintingTest, PrintingAViewWithoutDocumentPrintsNothing)
{
    std::filesystem::remove_all(folder_ / "Internet");
    Program program(folder_, SettingsFile());
    const std::filesystem::path pdf = settingsDir_ / "nothing.pdf";
    SetPrintRedirect(ToQString(pdf));
    Find<PictureButton>(program.main.get(), "Button_Menu_Internet")->click();
    Find<QAction>(program.main.get(), "Pint1")->trigger();
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_TRUE(InfoBox::ShownTexts().isEmpty());
    SetPrintRedirect(QString());
}

TEST_F(PrintingTest, PrintWithoutAPrinterSaysSoAndSaveAsPdfWritesThePage)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    Find<QAction>(&main, "Content1")->trigger();
    if (QPrinterInfo::defaultPrinter().isNull()) {
        Find<QAction>(&main, "Pint1")->trigger();
        ASSERT_EQ(InfoBox::ShownTexts().size(), 1);
        EXPECT_TRUE(InfoBox::ShownTexts().front().startsWith(QStringLiteral("No printer")));
    }
    const std::filesystem::path pdf = settingsDir_.path() / "page.pdf";
    SetNextPdfPath(ToQString(pdf));
    Find<QAction>(&main, "SaveAsPdf1")->trigger();
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_EQ(ReadBytes(pdf).substr(0, 5), "%PDF-");
    // Cancelling the dialog writes nothing.
    std::filesystem::remove(pdf);
    SetNextPdfPath(QString());
    Find<QAction>(&main, "SaveAsPdf1")->trigger();
    EXPECT_FALSE(std::filesystem::exists(pdf));

    // A name typed without ".pdf" gets it.
    SetNextPdfPath(ToQString(settingsDir_.path() / "page"));
    Find<QAction>(&main, "SaveAsPdf1")->trigger();
    EXPECT_TRUE(std::filesystem::exists(pdf));

    main.ApplyLanguage(Language::RO);
    EXPECT_EQ(Shown(Find<QAction>(&main, "SaveAsPdf1")->text()), QStringLiteral("Salveaza ca PDF..."));
}

TEST(PdfNameTest, ThePageTitleIsOfferedAsTheFileName)
{
    EXPECT_EQ(SuggestedPdfPath(QStringLiteral("Beta Covoare S.R.L. / Bucuresti: profil?"),
                               QStringLiteral("/home/ana/Documente")),
              QStringLiteral("/home/ana/Documente/Beta Covoare S.R.L. Bucuresti profil.pdf"));
    EXPECT_EQ(SuggestedPdfPath(QStringLiteral(" ?* "), QStringLiteral("/d")),
              QStringLiteral("/d/Dorvanta.pdf"));
}

} // namespace
} // namespace dorvanta::test
