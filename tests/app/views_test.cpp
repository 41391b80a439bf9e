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
#include <QScreen>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QTimer>

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

void Click(QWidget* widget)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    const QPointF global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

void CollectTables(QTextFrame* frame, std::vector<QTextTable*>& tables)
{
    if (auto* table = qobject_cast<QTextTable*>(frame)) {
        tables.push_back(table);
    }
    for (QTextFrame* child : frame->childFrames()) {
        CollectTables(child, tables);
    }
}

// The background colours of every table cell of the document, as "#rrggbb".
std::set<QString> CellColours(QTextDocument& document)
{
    std::vector<QTextTable*> tables;
    CollectTables(document.rootFrame(), tables);
    std::set<QString> colours;
    for (QTextTable* table : tables) {
        for (int row = 0; row < table->rows(); ++row) {
            for (int column = 0; column < table->columns(); ++column) {
                const QBrush brush = table->cellAt(row, column).format().background();
                colours.insert(brush.style() == Qt::NoBrush ? QStringLiteral("none") : brush.color().name());
            }
        }
    }
    return colours;
}

// The names of every picture in the document, in order.
QStringList PictureNames(QTextDocument& document)
{
    QStringList names;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat()) {
                names.append(format.toImageFormat().name());
            }
        }
    }
    return names;
}

QSize PictureSize(QTextDocument& document, const QString& name)
{
    const QVariant data = document.resource(QTextDocument::ImageResource, QUrl(name));
    if (data.userType() == QMetaType::QPixmap) {
        return data.value<QPixmap>().size();
    }
    if (data.userType() == QMetaType::QImage) {
        return data.value<QImage>().size();
    }
    return QImage::fromData(data.toByteArray()).size();
}

CompanyRecord SampleCompany()
{
    CompanyRecord record;
    record.Company = "Fabric\xE3 de \xBAuruburi SRL"; // "ă" and "ş" in Windows-1250
    record.County = "B";
    record.Address = "Str. Morii 12";
    record.Representative = "Ion Popescu";
    record.Phone = "021 3123456";
    record.Email = "office@firma.ro";
    record.Web = "www.firma.ro";
    record.Activity1 = "a.a.1*t";
    record.Description = "Bolts and nuts";
    return record;
}

OpportunityRecord SampleAd()
{
    OpportunityRecord record;
    record.DomainLetter = "c";
    record.Subject = "Sports gear for sale";
    record.AdType = "1";
    record.Description = "Complete sets";
    record.InsertDate = "12.03.2026";
    record.County = "CJ";
    record.Representative = "Maria Ionescu";
    record.Company = "Sport Plus";
    return record;
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
    const std::set<QString> colours = CellColours(*view.document());
    EXPECT_TRUE(colours.count(QStringLiteral("#ebebeb")));
    EXPECT_TRUE(colours.count(QStringLiteral("#f4f4f4")));
    EXPECT_TRUE(colours.count(QStringLiteral("#ffffff")));
    EXPECT_FALSE(colours.count(QStringLiteral("#000000")));
    std::vector<QTextTable*> tables;
    CollectTables(view.document()->rootFrame(), tables);
    ASSERT_FALSE(tables.empty());
    EXPECT_EQ(tables.front()->format().background().color().name(), QStringLiteral("#8c8c8c"));

    // Pictures named by absolute path load; a missing icon is simply absent.
    const QStringList pictures = PictureNames(*view.document());
    const auto company = std::find_if(pictures.begin(), pictures.end(),
                                      [](const QString& name) { return name.endsWith("company.gif"); });
    ASSERT_NE(company, pictures.end());
    EXPECT_EQ(PictureSize(*view.document(), *company), QSize(18, 18));
    const auto activity = std::find_if(pictures.begin(), pictures.end(),
                                       [](const QString& name) { return name.endsWith("1activity.gif"); });
    ASSERT_NE(activity, pictures.end());
    EXPECT_TRUE(PictureSize(*view.document(), *activity).isEmpty());
}

TEST_F(ViewsTest, ColourFixTouchesOnlyAttributesInsideTags)
{
    EXPECT_EQ(PreparePageForView("<tr bgcolor=EBEBEB><td><font color=868686>x</font>", QString()),
              "<tr bgcolor=#EBEBEB><td><font color=#868686>x</font>");
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
    EXPECT_TRUE(view.toPlainText().contains(QStringLiteral("Sports gear for sale")));
    EXPECT_EQ(completed, 2);
}

TEST_F(ViewsTest, EmptyPageGivesAnEmptyDocument)
{
    HtmlView view;
    int completed = 0;
    QObject::connect(&view, &HtmlView::navigationComplete, [&completed] { ++completed; });
    view.LoadPageIntoBrowser(CompanyPage(SampleCompany()));
    view.LoadPageIntoBrowser(std::string());
    EXPECT_TRUE(view.document()->isEmpty());
    EXPECT_TRUE(view.HasDocument());
    EXPECT_EQ(completed, 2);
}

TEST_F(ViewsTest, LinksLeaveOnlyForMailAndWeb)
{
    HtmlView view;
    view.LoadPageIntoBrowser(CompanyPage(SampleCompany()));
    const char* followed[] = {"mailto:office@firma.ro", "http://www.firma.ro/a?b=1", "https://firma.ro",
                              "HTTP://FIRMA.RO"};
    for (const char* link : followed) {
        emit view.anchorClicked(QUrl(QString::fromLatin1(link)));
    }
    EXPECT_EQ(opened_, QStringList({"mailto:office@firma.ro", "http://www.firma.ro/a?b=1", "https://firma.ro",
                                    "http://firma.ro"}));
    opened_.clear();

    // A web page written without a scheme is taken as http.
    emit view.anchorClicked(QUrl(QStringLiteral("www.firma.ro")));
    emit view.anchorClicked(QUrl(QStringLiteral("firma.ro/contact.html")));
    EXPECT_EQ(opened_, QStringList({"http://www.firma.ro", "http://firma.ro/contact.html"}));
    opened_.clear();

    const char* ignored[] = {"javascript:alert(1)",
                             "file:///etc/passwd",
                             "ftp://firma.ro",
                             "../secret.htm",
                             "/etc/passwd",
                             "vbscript:x",
                             "#top"};
    for (const char* link : ignored) {
        emit view.anchorClicked(QUrl(QString::fromLatin1(link)));
    }
    EXPECT_TRUE(opened_.isEmpty()) << opened_.join(' ').toStdString();
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
    const QPoint at = view.cursorRect(cursor).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, view.viewport()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, view.viewport()->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &press);
    QApplication::sendEvent(view.viewport(), &release);

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

TEST_F(ViewsTest, MissingHelpFileGivesAnEmptyDocument)
{
    HtmlView view;
    int completed = 0;
    QObject::connect(&view, &HtmlView::navigationComplete, [&completed] { ++completed; });
    view.LoadPageIntoBrowser(CompanyPage(SampleCompany()));
    view.NavigateToFile(Q(folder_ / "Help" / "missing.htm"));
    EXPECT_TRUE(view.document()->isEmpty());
    EXPECT_TRUE(view.HasDocument());
    EXPECT_EQ(completed, 2);
    view.NavigateToFile(Q(folder_.path())); // a folder is no page either
    EXPECT_TRUE(view.document()->isEmpty());
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
    // Typesetting may join "fi" and "fl" into one glyph; read them as letters.
    return QString::fromUtf8(process.readAllStandardOutput())
        .replace(QChar(0xFB01), QStringLiteral("fi"))
        .replace(QChar(0xFB02), QStringLiteral("fl"));
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
    EXPECT_EQ(text->count(QStringLiteral("about:blank")), pages);
    EXPECT_EQ(text->count(date), pages);
    EXPECT_TRUE(text->contains(QStringLiteral(u"Fabrică de şuruburi SRL")));
}

TEST_F(ViewsTest, PrintedHelpPageNamesItsFile)
{
    WriteText(folder_ / "Help" / "index_en.htm", "<html><body><p>Help contents</p></body></html>");
    HtmlView view;
    view.NavigateToFile(Q(folder_ / "Help" / "index_en.htm"));
    const QString pdf = Q(folder_ / "help.pdf");
    SetPrintRedirect(pdf);
    ASSERT_TRUE(PrintView(view, QStringLiteral("Help")));
    const auto text = PdfText(pdf);
    if (!text) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    EXPECT_TRUE(text->contains(QUrl::fromLocalFile(Q(folder_ / "Help" / "index_en.htm")).toString()));
    EXPECT_TRUE(text->contains(QStringLiteral("Page 1 of 1")));
    EXPECT_TRUE(text->contains(QStringLiteral("Help contents")));
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

TEST_F(ViewsTest, SplashIsTheCentredPictureWindow)
{
    TForm_Splash splash;
    EXPECT_EQ(splash.objectName(), "Form_Splash");
    EXPECT_EQ(splash.size(), QSize(400, 200));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.geometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
    EXPECT_EQ(splash.palette().color(QPalette::Window), QColor(222, 223, 222));
    auto* picture = splash.findChild<QLabel*>("Image_About");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->geometry(), QRect(0, 0, 400, 200));
    EXPECT_EQ(picture->pixmap().size(), QSize(400, 200)); // the JPEG decoded
    auto* timer = splash.findChild<QTimer*>("Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_TRUE(timer->isActive()); // running from creation, before it is shown
}

TEST_F(ViewsTest, SplashClosesOnceAfterItsTick)
{
    TForm_Splash splash;
    int closed = 0;
    QObject::connect(&splash, &TForm_Splash::closed, [&closed] { ++closed; });
    splash.ShowAndPaint();
    EXPECT_TRUE(splash.isVisible());
    Wait(500);
    EXPECT_TRUE(splash.isVisible());
    EXPECT_EQ(closed, 0);
    Wait(900);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(closed, 1);
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

TEST_F(ViewsTest, AboutWindowLinesAreInPlaceAndFit)
{
    TForm_About about;
    EXPECT_EQ(about.objectName(), "Form_About");
    EXPECT_EQ(about.windowTitle(), "About Dorvanta");
    EXPECT_EQ(about.size(), QSize(400, 282));
    EXPECT_TRUE(about.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(about.geometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
    auto* logo = about.findChild<QLabel*>("Image_Logo");
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->geometry(), QRect(-1, 0, 509, 356));
    EXPECT_FALSE(logo->pixmap().isNull());

    const struct
    {
        const char* name;
        QPoint at;
    } lines[] = {{"Label1", {170, 43}},   {"Label2", {192, 71}},   {"Label3", {180, 88}},
                 {"Label4", {209, 105}},  {"Label5", {165, 137}},  {"Label6", {182, 155}},
                 {"Label7", {127, 193}},  {"Label8", {127, 205}},  {"Label9", {127, 217}},
                 {"Label11", {127, 229}}, {"Label12", {127, 241}}, {"Label10", {127, 253}}};
    for (const auto& line : lines) {
        auto* label = about.findChild<QLabel*>(line.name);
        ASSERT_NE(label, nullptr) << line.name;
        EXPECT_EQ(label->pos(), line.at) << line.name;
        EXPECT_FALSE(label->text().isEmpty()) << line.name;
        EXPECT_LE(label->x() + label->fontMetrics().horizontalAdvance(label->text()), 400) << line.name;
    }
    auto* web = about.findChild<QLabel*>("Label5");
    EXPECT_EQ(web->text(), "www.dorvanta.ro");
    EXPECT_TRUE(web->font().bold() && web->font().underline());
    EXPECT_EQ(web->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(about.findChild<QLabel*>("Label6")->text(), "office@dorvanta.ro");
    EXPECT_EQ(about.findChild<QLabel*>("Label1")->font().pixelSize(), 13);
}

TEST_F(ViewsTest, AboutAddressesOpenOutsideAndKeepTheWindow)
{
    TForm_About about;
    about.show();
    Click(about.findChild<QLabel*>("Label6"));
    Click(about.findChild<QLabel*>("Label5"));
    EXPECT_TRUE(about.isVisible());
    EXPECT_EQ(opened_, QStringList({"mailto:office@dorvanta.ro", "http://www.dorvanta.ro"}));
}

TEST_F(ViewsTest, AboutClosesOnAClickOnTheLogoOrAPlainLine)
{
    for (const char* target : {"Image_Logo", "Label9", "Label1"}) {
        TForm_About about;
        QTimer::singleShot(0, [&] { Click(about.findChild<QLabel*>(target)); });
        EXPECT_EQ(about.exec(), QDialog::Accepted) << target; // returns: the modal window closed
        EXPECT_FALSE(about.isVisible()) << target;
    }
    EXPECT_TRUE(opened_.isEmpty());
}

} // namespace
} // namespace dorvanta
