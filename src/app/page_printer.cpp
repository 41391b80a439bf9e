#include "app/page_printer.h"

#include "app/html_view.h"

#include <QAbstractTextDocumentLayout>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <memory>
#include <optional>

namespace dorvanta {

namespace {

QString& Redirect()
{
    static QString path;
    return path;
}

std::optional<QString>& NextPdfPath()
{
    static std::optional<QString> path;
    return path;
}

// Header and footer type: small, as the page-setup lines of a browser print.
QFont FrameFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.0);
    return font;
}

void DrawLine(QPainter& painter, const QRectF& band, const PrintLine& line)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal rightWidth = metrics.horizontalAdvance(line.right);
    const qreal centreWidth = metrics.horizontalAdvance(line.centre);
    const qreal gap = metrics.averageCharWidth() * 2;
    // The left part (a title, an address) gives way when the line is too short.
    qreal leftRoom = band.width() - rightWidth - gap;
    if (!line.centre.isEmpty()) {
        leftRoom = std::min(leftRoom, (band.width() - centreWidth) / 2 - gap);
    }
    const QString left = metrics.elidedText(line.left, Qt::ElideRight, std::max<qreal>(leftRoom, 0));
    painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, left);
    painter.drawText(band, Qt::AlignHCenter | Qt::AlignVCenter, line.centre);
    painter.drawText(band, Qt::AlignRight | Qt::AlignVCenter, line.right);
}

} // namespace

PrintLine ExpandPrintCodes(const QString& codes, const PrintContext& context, int page, int pageCount)
{
    QStringList parts{QString()};
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const QChar c = codes[i];
        if (c != QLatin1Char('&') || i + 1 == codes.size()) {
            parts.back() += c;
            continue;
        }
        const QChar code = codes[++i];
        switch (code.unicode()) {
        case 'w':
            parts.back() += context.windowTitle;
            break;
        case 'u':
            parts.back() += context.address;
            break;
        case 'd':
            parts.back() += context.date;
            break;
        case 'p':
            parts.back() += QString::number(page);
            break;
        case 'P':
            parts.back() += QString::number(pageCount);
            break;
        case 'b':
            parts.append(QString());
            break;
        case '&':
            parts.back() += QLatin1Char('&');
            break;
        default:
            parts.back() += c;
            parts.back() += code;
            break;
        }
    }
    PrintLine line;
    line.left = parts.value(0);
    if (parts.size() == 2) {
        line.right = parts[1];
    } else if (parts.size() >= 3) {
        line.centre = parts[1];
        // Further "&b" have nowhere else to go: the rest stays at the right.
        line.right = parts.mid(2).join(QString());
    }
    return line;
}

int PrintDocument(const QTextDocument& document, QPagedPaintDevice& device, const PrintContext& context)
{
    QPainter painter;
    if (!painter.begin(&device)) {
        return 0;
    }
    painter.setFont(FrameFont());
    const QFontMetricsF metrics(painter.font(), &device);
    const qreal bandHeight = metrics.height();
    const qreal spacing = metrics.height();

    const QRectF area(QPointF(0, 0), QSizeF(painter.viewport().size()));
    const QSizeF bodySize(area.width(),
                          std::max<qreal>(area.height() - 2 * (bandHeight + spacing), bandHeight));

    // A copy laid out for the device: fonts, table widths and pictures take the
    // device's resolution, and the pages break at whole lines and rows.
    const std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(&device);
    // Text copied out of the PDF must be the letters printed: an address with
    // "ffi" or "fl" would otherwise come out with a ligature in their place.
    // Qt shapes spaced letters without ligatures; the spacing is invisible.
    QTextCharFormat spaced;
    spaced.setFontLetterSpacingType(QFont::AbsoluteSpacing);
    spaced.setFontLetterSpacing(1.0 / 64); // the smallest step Qt keeps
    QTextCursor whole(copy.get());
    whole.select(QTextCursor::Document);
    whole.mergeCharFormat(spaced);
    copy->setPageSize(bodySize);
    const int pageCount = std::max(1, copy->pageCount());

    for (int page = 0; page < pageCount; ++page) {
        if (page > 0) {
            device.newPage();
        }
        const QRectF header(0, 0, area.width(), bandHeight);
        const QRectF footer(0, area.height() - bandHeight, area.width(), bandHeight);
        DrawLine(painter, header,
                 ExpandPrintCodes(QString::fromLatin1(kPrintHeader), context, page + 1, pageCount));
        DrawLine(painter, footer,
                 ExpandPrintCodes(QString::fromLatin1(kPrintFooter), context, page + 1, pageCount));

        painter.save();
        const qreal top = bandHeight + spacing;
        painter.translate(0, top - page * bodySize.height());
        const QRectF visible(0, page * bodySize.height(), bodySize.width(), bodySize.height());
        painter.setClipRect(visible);
        QAbstractTextDocumentLayout::PaintContext paint;
        paint.clip = visible;
        paint.palette.setColor(QPalette::Text, Qt::black);
        copy->documentLayout()->draw(&painter, paint);
        painter.restore();
    }
    painter.end();
    return pageCount;
}

namespace {

// The address the footer's &u prints: none for a generated page ("about:blank").
QString PrintedAddress(const QUrl& address)
{
    return address.scheme() == QLatin1String("about") ? QString() : address.toString();
}

bool PrintTo(HtmlView& view, const QString& windowTitle, const QString& pdfPath)
{
    if (!view.HasDocument()) {
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!pdfPath.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
    } else {
        const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
        if (printerInfo.isNull()) {
            return false;
        }
        printer.setPrinterName(printerInfo.printerName());
    }
    printer.setDocName(windowTitle);

    PrintContext context;
    context.windowTitle = windowTitle;
    context.address = PrintedAddress(view.DocumentAddress());
    context.date = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    return PrintDocument(*view.document(), printer, context) > 0;
}

} // namespace

bool PrintView(HtmlView& view, const QString& windowTitle)
{
    return PrintTo(view, windowTitle, Redirect());
}

bool SaveViewAsPdf(HtmlView& view, const QString& windowTitle, const QString& pdfPath)
{
    return !pdfPath.isEmpty() && PrintTo(view, windowTitle, pdfPath);
}

bool PrinterAvailable()
{
    return !Redirect().isEmpty() || !QPrinterInfo::defaultPrinter().isNull();
}

QString SuggestedPdfPath(const QString& title, const QString& folder)
{
    QString name;
    for (const QChar c : title) {
        if (c.isPrint() && !QStringLiteral("\\/:*?\"<>|").contains(c)) {
            name.append(c);
        }
    }
    name = name.simplified().left(100).trimmed();
    // Windows takes no name ending in a dot or a space.
    while (name.endsWith(QLatin1Char('.'))) {
        name.chop(1);
    }
    if (name.trimmed().isEmpty()) {
        name = QStringLiteral("Dorvanta");
    }
    return QDir(folder).filePath(name.trimmed() + QStringLiteral(".pdf"));
}

QString AskPdfPath(QWidget* parent, const QString& caption, const QString& suggested)
{
    QString answer;
    if (NextPdfPath().has_value()) {
        answer = *NextPdfPath();
        NextPdfPath().reset();
    } else {
        answer = QFileDialog::getSaveFileName(parent, caption, suggested, QStringLiteral("PDF (*.pdf)"));
    }
    if (!answer.isEmpty() && !answer.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        answer += QStringLiteral(".pdf");
    }
    return answer;
}

void SetNextPdfPath(const QString& path)
{
    NextPdfPath() = path;
}

void SetPrintRedirect(const QString& pdfPath)
{
    Redirect() = pdfPath;
}

} // namespace dorvanta
