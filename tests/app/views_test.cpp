// The window pieces the main window builds on: the page view, printing, the
// information box, the splash and the about window.
#include "app/about_window.h"
#include "app/external_open.h"
#include "app/html_view.h"
#include "app/info_box.h"
#include "app/page_printer.h"
#include "app/splash_window.h"
#include "data/category_table.h"
#include "data/company_record.h"
#include "data/opportunity_record.h"
#include "pages/pages.h"
#include "support/temp_dir.h"
#include "test_application.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDate>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace dorvanta {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

QString Q(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

// A small picture under any name: the view recognises pictures by content.
void WritePicture(const fs::path& path, QSize size = QSize(18, 18))
{
    fs::create_directories(path.parent_path());
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(Q(path), "PNG"));
}

void WriteText(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    test::WriteBytes(path, bytes);
}

void Wait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// A left click at `at` (the widget's middle by default), as the mouse gives it.
void Click(QWidget* widget, QPoint at = QPoint(-1, -1))
{
    if (at == QPoint(-1, -1)) {
        at = widget->rect().center();
    }
    const QPointF global = widget->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

// The background colours given to any table or table cell, as "#rrggbb".
void CollectColours(QTextFrame* frame, std::set<QString>& colours)
{
    auto add = [&colours](const QBrush& brush) {
        if (brush.style() != Qt::NoBrush) {
            colours.insert(brush.color().name());
        }
    };
    if (auto* table = qobject_cast<QTextTable*>(frame)) {
        add(table->format().background());
        for (int row = 0; row < table->rows(); ++row) {
            for (int column = 0; column < table->columns(); ++column) {
                add(table->cellAt(row, column).format().background());
            }
        }
    }
    for (QTextFrame* child : frame->childFrames()) {
        CollectColours(child, colours);
    }
}

// The names of every picture in the document, in order.
QStringList PictureNames(QTextDocument& document)
{
    QStringList names;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat()) {
                names.append(it.fragment().charFormat().toImageFormat().name());
            }
        }
    }
    return names;
}

// The size of the picture the document loaded for `name`; empty when none.
QSize PictureSize(QTextDocument& document, const QString& name)
{
    return document.resource(QTextDocument::ImageResource, QUrl(name)).value<QPixmap>().size();
}

CompanyRecord SampleCompany()
{
    return {.Company = "Fabric\xE3 de \xBAuruburi SRL", // "ă" and "ş" in Windows-1250
            .County = "B",
            .Address = "Str. Morii 12",
            .Email = "office@firma.ro",
            .Web = "www.firma.ro",
            .Activity1 = "a.a.1*t",
            .Description = "Bolts and nuts"};
}

OpportunityRecord SampleAd()
{
    return {.DomainLetter = "c", .County = "CJ", .Subject = "Sports gear for sale", .AdType = "1"};
}

// Records the addresses that would have opened in the user's programs.
class ViewsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::EnsureApplication();
        SetExternalOpener([this](const QUrl& url) { opened_.append(url.toString()); });
        programFolder_ = ProgramFolderText(folder_.path());
    }
    void TearDown() override
    {
        SetExternalOpener({});
        SetPrintRedirect(QString());
        InfoBox::SetAutoAnswer(false);
        InfoBox::ClearShownTexts();
    }

    std::string CompanyPage(const CompanyRecord& record)
    {
        return BuildCompanyPage(record, Language::EN, programFolder_, CategoryTable::Builtin());
    }
    std::string AdPage(const OpportunityRecord& record, int banner)
    {
        return BuildOpportunityPage(record, Language::EN, programFolder_, OpportunityDomainList(Language::EN),
                                    banner);
    }

    TempDir folder_;
    std::string programFolder_;
    QStringList opened_;
};

// ---------------------------------------------------------------- page view

TEST_F(ViewsTest, GeneratedPageShowsRealColoursLettersAndPictures)
{
    WritePicture(folder_ / "icon" / "company.gif");
    HtmlView view;
    int completed = 0;
    QObject::connect(&view, &HtmlView::navigationComplete, [&completed] { ++completed; });
    EXPECT_FALSE(view.HasDocument());

    view.LoadPageIntoBrowser(CompanyPage(SampleCompany()));

    EXPECT_TRUE(view.HasDocument());
    EXPECT_EQ(completed, 1);
    EXPECT_EQ(view.DocumentAddress(), QUrl(QStringLiteral("about:blank")));
    EXPECT_TRUE(view.toPlainText().contains(QStringLiteral(u"Fabrică de şuruburi SRL")));

    // Colours written without "#" are read as colours, never as black.
    std::set<QString> colours;
    CollectColours(view.document()->rootFrame(), colours);
    for (const char* colour : {"#8c8c8c", "#ebebeb", "#f4f4f4", "#ffffff"}) {
        EXPECT_TRUE(colours.count(QString::fromLatin1(colour))) << colour;
    }
    EXPECT_FALSE(colours.count(QStringLiteral("#000000")));

    // Pictures named by absolute path load; a missing icon is simply absent.
    const QStringList pictures = PictureNames(*view.document());
    ASSERT_TRUE(pictures.contains(Q(folder_ / "icon" / "company.gif")));
    EXPECT_EQ(PictureSize(*view.document(), Q(folder_ / "icon" / "company.gif")), QSize(18, 18));
    ASSERT_TRUE(pictures.contains(Q(folder_ / "icon" / "1activity.gif")));
    EXPECT_TRUE(PictureSize(*view.document(), Q(folder_ / "icon" / "1activity.gif")).isEmpty());
}

TEST_F(ViewsTest, ColourFixTouchesOnlyAttributesInsideTags)
{
    EXPECT_EQ(PreparePageForView("<tr bgcolor=EBEBEB><td><font color=868686>x</font>", QString()),
              "<tr bgcolor=#EBEBEB><td><font color=#595959>x</font>");
    // Text colours too light to read are darkened in tags and style sheets, never in the text.
    EXPECT_EQ(
        PreparePageForView("<style>h3 { color: #808040; }</style><p>#808040 color=3175FF</p>", QString()),
        "<style>h3 { color: #5E5E2F; }</style><p>#808040 color=3175FF</p>");
    EXPECT_EQ(PreparePageForView("<table bgcolor=8C8C8C ><font color='abc' size=2>", QString()),
              "<table bgcolor=#8C8C8C ><font color='#abc' size=2>");
    // Field texts are not escaped and stay exactly as written.
    EXPECT_EQ(PreparePageForView("<td>color=123456 bgcolor=ABCDEF</td>", QString()),
              "<td>color=123456 bgcolor=ABCDEF</td>");
    // Named colours, colours with "#" and longer values are not colours to fix.
    const QString untouched = "<tr bgcolor=white><td color=#123456><td bgcolor=EBEBEB1><td xcolor=EBEBEB>";
    EXPECT_EQ(PreparePageForView(untouched, QString()), untouched);
}

TEST_F(ViewsTest, PicturesAreFoundWhateverTheCaseOfTheirName)
{
    WritePicture(folder_ / "icon" / "Phone.gif");
    const QString upper = Q(folder_ / "ICON" / "phone.GIF");
    HtmlView view;
    view.LoadPageIntoBrowser(("<html><body><img src='" + upper.toStdString() + "'></body></html>"));
    EXPECT_EQ(FindLocalFile(upper), Q(folder_ / "icon" / "Phone.gif"));
    EXPECT_EQ(PictureSize(*view.document(), upper), QSize(18, 18));
    EXPECT_TRUE(FindLocalFile(Q(folder_ / "icon" / "none.gif")).isEmpty());
    EXPECT_TRUE(FindLocalFile(QStringLiteral("icon/Phone.gif")).isEmpty()); // relative, with no folder
}

TEST_F(ViewsTest, FlashBannerGivesWayToItsPictureOrToNothing)
{
    WritePicture(folder_ / "Internet" / "c2.png", QSize(472, 70));
    HtmlView view;
    int completed = 0;
    QObject::connect(&view, &HtmlView::navigationComplete, [&completed] { ++completed; });

    view.LoadPageIntoBrowser(AdPage(SampleAd(), 2));
    const QString banner = QUrl::fromLocalFile(Q(folder_ / "Internet" / "c2.png")).toString();
    EXPECT_TRUE(PictureNames(*view.document()).contains(banner));
    EXPECT_EQ(PictureSize(*view.document(), banner), QSize(472, 70));
    EXPECT_FALSE(view.toHtml().contains(QStringLiteral("swf")));

    // c3.png does not exist: the banner leaves no trace.
    view.LoadPageIntoBrowser(AdPage(SampleAd(), 3));
    const QStringList pictures = PictureNames(*view.document());
    EXPECT_FALSE(pictures.filter(QStringLiteral(".png")).size());
    EXPECT_FALSE(pictures.isEmpty()); // the row icons are still there
    EXPECT_FALSE(view.toHtml().contains(QStringLiteral("swf")));
    EXPECT_EQ(completed, 2);
}

TEST_F(ViewsTest, LinksLeaveOnlyForMailAndWeb)
{
    HtmlView view;
    view.LoadPageIntoBrowser(CompanyPage(SampleCompany()));
    const std::pair<const char*, const char*> links[] = {
        {"mailto:office@firma.ro", "mailto:office@firma.ro"},
        {"http://www.firma.ro/a?b=1", "http://www.firma.ro/a?b=1"},
        {"HTTPS://FIRMA.RO", "https://firma.ro"},
        // A web page written without a scheme is taken as http.
        {"www.firma.ro", "http://www.firma.ro"},
        {"firma.ro/contact.html", "http://firma.ro/contact.html"},
        // Nothing else leaves the program.
        {"javascript:alert(1)", nullptr},
        {"file:///etc/passwd", nullptr},
        {"ftp://firma.ro", nullptr},
        {"../secret.htm", nullptr},
        {"/etc/passwd", nullptr},
        {"#top", nullptr},
    };
    for (const auto& [link, expected] : links) {
        opened_.clear();
        emit view.anchorClicked(QUrl(QString::fromLatin1(link)));
        EXPECT_EQ(opened_, expected ? QStringList{QString::fromLatin1(expected)} : QStringList()) << link;
    }
    EXPECT_EQ(view.DocumentAddress(), QUrl(QStringLiteral("about:blank")));
}

TEST_F(ViewsTest, ClickOnThePagesWebRowOpensTheBrowser)
{
    HtmlView view;
    view.resize(600, 600);
    view.show();
    view.LoadPageIntoBrowser(CompanyPage(SampleCompany()));
    QApplication::processEvents();
    QTextCursor cursor = view.document()->find(QStringLiteral("www.firma.ro"));
    ASSERT_FALSE(cursor.isNull());
    cursor.setPosition(cursor.selectionStart() + 2);

    Click(view.viewport(), view.cursorRect(cursor).center());

    EXPECT_EQ(opened_, QStringList({"http://www.firma.ro"}));
    EXPECT_EQ(view.DocumentAddress(), QUrl(QStringLiteral("about:blank"))); // the page stays
}

TEST_F(ViewsTest, HelpPagesOpenAndLinkEachOtherInsideTheView)
{
    const fs::path help = folder_ / "Help";
    // Romanian text in the program's code page, no character set declared.
    WriteText(help / "index_en.htm", "<html><body><p>Bucure\xBAti</p><a href='eanunt.htm#how'>ad</a>"
                                     "<img src='pic.png'><a href='www.dorvanta.ro'>site</a></body></html>");
    WriteText(help / "eanunt.htm",
              "<html><body><p>\xC8\x98tiri</p><a name=how>How</a></body></html>"); // UTF-8
    WriteText(folder_ / "secret.htm", "<html><body>secret</body></html>");
    WritePicture(help / "pic.png");

    HtmlView view;
    int completed = 0;
    QObject::connect(&view, &HtmlView::navigationComplete, [&completed] { ++completed; });
    view.NavigateToFile(Q(help / "index_en.htm"));
    EXPECT_EQ(view.DocumentAddress(), QUrl::fromLocalFile(Q(help / "index_en.htm")));
    EXPECT_TRUE(view.toPlainText().contains(QStringLiteral(u"Bucureşti")));
    EXPECT_EQ(PictureSize(*view.document(), QStringLiteral("pic.png")), QSize(18, 18));

    emit view.anchorClicked(QUrl(QStringLiteral("www.dorvanta.ro")));
    EXPECT_EQ(opened_, QStringList({"http://www.dorvanta.ro"}));

    emit view.anchorClicked(QUrl(QStringLiteral("eanunt.htm#how")));
    EXPECT_EQ(view.DocumentAddress(), QUrl::fromLocalFile(Q(help / "eanunt.htm")));
    EXPECT_TRUE(view.toPlainText().contains(QStringLiteral(u"\u0218tiri")));

    // Pages outside the shown folder are not reachable from a page.
    emit view.anchorClicked(QUrl(QStringLiteral("../secret.htm")));
    EXPECT_EQ(view.DocumentAddress(), QUrl::fromLocalFile(Q(help / "eanunt.htm")));
    EXPECT_EQ(opened_.size(), 1);
    EXPECT_EQ(completed, 2);
}

TEST_F(ViewsTest, EmptyTextOrMissingFileGivesAnEmptyDocument)
{
    HtmlView view;
    int completed = 0;
    QObject::connect(&view, &HtmlView::navigationComplete, [&completed] { ++completed; });
    view.LoadPageIntoBrowser(CompanyPage(SampleCompany()));
    view.LoadPageIntoBrowser(std::string());
    EXPECT_TRUE(view.document()->isEmpty());
    view.LoadPageIntoBrowser(CompanyPage(SampleCompany()));
    view.NavigateToFile(Q(folder_ / "Help" / "missing.htm"));
    EXPECT_TRUE(view.document()->isEmpty());
    view.NavigateToFile(Q(folder_.path())); // a folder is no page either
    EXPECT_TRUE(view.document()->isEmpty());
    EXPECT_TRUE(view.HasDocument());
    EXPECT_EQ(completed, 5);
}

// ----------------------------------------------------------------- printing

TEST(PrintCodesTest, CodesExpandIntoLeftAndRightParts)
{
    const PrintContext context{"Dorvanta Romania", "about:blank", "24.03.2026"};
    const PrintLine header = ExpandPrintCodes(kPrintHeader, context, 2, 5);
    EXPECT_EQ(header.left, "Dorvanta Romania");
    EXPECT_EQ(header.centre, "");
    EXPECT_EQ(header.right, "Page 2 of 5");
    const PrintLine footer = ExpandPrintCodes(kPrintFooter, context, 2, 5);
    EXPECT_EQ(footer.left, "about:blank");
    EXPECT_EQ(footer.right, "24.03.2026");

    const PrintLine odd = ExpandPrintCodes("A && B&x&bmid&b&p&", context, 3, 3);
    EXPECT_EQ(odd.left, "A & B&x");
    EXPECT_EQ(odd.centre, "mid");
    EXPECT_EQ(odd.right, "3&");
}

// The text pdftotext reads out of a PDF file, or nothing when it is not installed.
std::optional<QString> PdfText(const QString& pdf)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        return std::nullopt;
    }
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    // As a reader copies it: a ligature would not be the letters printed.
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST_F(ViewsTest, PrintWritesEveryPageWithHeaderAndFooter)
{
    WritePicture(folder_ / "icon" / "company.gif");
    CompanyRecord record = SampleCompany();
    record.Description = std::string(6000, 'x');
    for (std::size_t i = 100; i < record.Description.size(); i += 9) {
        record.Description[i] = ' ';
    }
    HtmlView view;
    view.LoadPageIntoBrowser(CompanyPage(record));
    const QString pdf = Q(folder_ / "page.pdf");
    SetPrintRedirect(pdf);

    ASSERT_TRUE(PrintView(view, QStringLiteral("Dorvanta Romania")));

    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.contains("/Subtype /Image")); // the icons went along
    const auto text = PdfText(pdf);
    if (!text) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    const QString date = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    const qsizetype pages = text->count(QChar('\f'));
    ASSERT_GE(pages, 2);
    for (qsizetype page = 1; page <= pages; ++page) {
        EXPECT_TRUE(text->contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages))) << page;
    }
    EXPECT_EQ(text->count(QStringLiteral("Dorvanta Romania")), pages);
    // A generated page has no address to print.
    EXPECT_EQ(text->count(QStringLiteral("about:blank")), 0);
    EXPECT_EQ(text->count(date), pages);
    EXPECT_TRUE(text->contains(QStringLiteral(u"Fabrică de şuruburi SRL")));
    EXPECT_TRUE(text->contains(QStringLiteral("office@firma.ro"))); // "ffi" as three letters

    // A page shown from a file is named by its address.
    const fs::path help = folder_ / "Help" / "index_en.htm";
    WriteText(help, "<html><body><p>Help contents</p></body></html>");
    view.NavigateToFile(Q(help));
    SetPrintRedirect(Q(folder_ / "help.pdf"));
    ASSERT_TRUE(PrintView(view, QStringLiteral("Help")));
    const QString helpText = PdfText(Q(folder_ / "help.pdf")).value_or(QString());
    EXPECT_TRUE(helpText.contains(QUrl::fromLocalFile(Q(help)).toString()));
    EXPECT_TRUE(helpText.contains(QStringLiteral("Page 1 of 1")));
    EXPECT_TRUE(helpText.contains(QStringLiteral("Help contents")));
}

TEST_F(ViewsTest, NothingIsPrintedWithoutDocumentOrPrinter)
{
    HtmlView view;
    const QString pdf = Q(folder_ / "none.pdf");
    SetPrintRedirect(pdf);
    EXPECT_FALSE(PrintView(view, QStringLiteral("Dorvanta")));
    EXPECT_FALSE(QFile::exists(pdf));

    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "this machine has a printer; printing to it is not a test";
    }
    SetPrintRedirect(QString());
    view.LoadPageIntoBrowser(CompanyPage(SampleCompany()));
    EXPECT_FALSE(PrintView(view, QStringLiteral("Dorvanta")));
}

// ---------------------------------------------------------- information box

TEST_F(ViewsTest, InformationBoxShowsTheTextWithOneOkButton)
{
    const QString text = QStringLiteral("Over 2000 records found.\rPlease redefine <b>your</b> search.");
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "Information");
        EXPECT_EQ(box->icon(), QMessageBox::Information);
        EXPECT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        // The carriage return breaks the line; markup is shown as written.
        EXPECT_EQ(box->text(), "Over 2000 records found.\nPlease redefine <b>your</b> search.");
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        checked = true;
        box->button(QMessageBox::Ok)->click();
    });
    ShowInformation(nullptr, text);
    EXPECT_TRUE(checked);
    EXPECT_EQ(InfoBox::ShownTexts(), QStringList({text}));

    // Answered automatically, the box records without blocking.
    InfoBox::SetAutoAnswer(true);
    ShowInformation(nullptr, QStringLiteral("Your search did not return any result"));
    EXPECT_EQ(InfoBox::ShownTexts().size(), 2);
    EXPECT_EQ(InfoBox::ShownTexts().back(), "Your search did not return any result");
    InfoBox::ClearShownTexts();
    EXPECT_TRUE(InfoBox::ShownTexts().isEmpty());
}

// ------------------------------------------------------------------- splash

TEST_F(ViewsTest, SplashShowsItsPictureCentredAndClosesOnceAfterItsTick)
{
    QElapsedTimer clock;
    clock.start();
    TForm_Splash splash;
    int closed = 0;
    QObject::connect(&splash, &TForm_Splash::closed, [&closed] { ++closed; });
    EXPECT_TRUE(splash.findChild<QTimer*>("Timer1")->isActive()); // running from creation
    EXPECT_EQ(splash.geometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
    EXPECT_EQ(splash.findChild<QLabel*>("Image_About")->pixmap().size(), QSize(400, 200)); // the JPEG decoded
    splash.ShowAndPaint();
    Wait(300);
    if (clock.elapsed() < 900) { // a busy machine may already be past the tick
        EXPECT_TRUE(splash.isVisible());
        EXPECT_EQ(closed, 0);
    }
    Wait(static_cast<int>(std::max<qint64>(1400 - clock.elapsed(), 0)));
    EXPECT_FALSE(splash.isVisible());
    splash.close();
    EXPECT_EQ(closed, 1);
}

TEST_F(ViewsTest, SplashClosesOnAClickOnThePicture)
{
    TForm_Splash splash;
    int closed = 0;
    QObject::connect(&splash, &TForm_Splash::closed, [&closed] { ++closed; });
    splash.ShowAndPaint();
    Click(splash.findChild<QLabel*>("Image_About"));
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(splash.findChild<QTimer*>("Timer1")->isActive()); // no second close later
}

// -------------------------------------------------------------------- about

TEST_F(ViewsTest, AboutWindowLinesFitAndTheLogoIsDrawn)
{
    TForm_About about;
    EXPECT_EQ(about.geometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
    EXPECT_FALSE(about.findChild<QLabel*>("Image_Logo")->pixmap().isNull());
    const QList<QLabel*> labels = about.findChildren<QLabel*>(QRegularExpression(QStringLiteral("^Label")));
    EXPECT_EQ(labels.size(), 12);
    for (const QLabel* label : labels) {
        EXPECT_FALSE(label->text().isEmpty()) << label->objectName().toStdString();
        EXPECT_LE(label->x() + label->fontMetrics().horizontalAdvance(label->text()), 400)
            << label->objectName().toStdString();
    }
}

TEST_F(ViewsTest, AboutAddressesOpenOutsideAndOtherClicksClose)
{
    TForm_About about;
    about.show();
    Click(about.findChild<QLabel*>("Label6"));
    Click(about.findChild<QLabel*>("Label5"));
    EXPECT_TRUE(about.isVisible());
    EXPECT_EQ(opened_, QStringList({"mailto:office@dorvanta.ro", "http://www.dorvanta.ro"}));

    for (const char* target : {"Image_Logo", "Label9", "Label1"}) {
        TForm_About modal;
        QTimer::singleShot(0, [&] { Click(modal.findChild<QLabel*>(target)); });
        EXPECT_EQ(modal.exec(), QDialog::Accepted) << target; // returns: the modal window closed
    }
    EXPECT_EQ(opened_.size(), 2);
}

} // namespace
} // namespace dorvanta
