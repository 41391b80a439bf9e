// Pages as Qt's HTML reader needs them: decoding, colours, movies, tables,
// and where a page's files are on the disk.
#include "app/page_rewrite.h"

#include "app/windows1250.h"
#include "data/record_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextFrame>
#include <QTextTable>

#include <filesystem>
#include <utility>

namespace dorvanta {

namespace {

// Text colours of the pages that are too light to read on their cells
// (4.5:1 at least), darkened in the view alone: the page bytes stay as the
// publisher's pages and the command-line tool give them.
void ReadableColours(QString& tag)
{
    static constexpr std::pair<const char*, const char*> kDarker[] = {
        {"#868686", "#595959"}, // field labels on grey rows: 3.05:1, now 5.9:1
        {"#808040", "#5E5E2F"}, // olive headings on white: 4.13:1, now 6.6:1
        {"#3175FF", "#2A5CD0"}, // blue headings and white on blue: 4.04:1, now 5.9:1
    };
    for (const auto& [light, dark] : kDarker) {
        tag.replace(QLatin1String(light), QLatin1String(dark), Qt::CaseInsensitive);
    }
}

// Qt's reader only takes "#RRGGBB" and paints a cell whose colour it cannot
// read black. Only attributes inside tags are touched: field texts in the page
// are not escaped and may well contain "color=...".
QString AddHashToColours(const QString& html)
{
    static const QRegularExpression tagPattern(QStringLiteral("<[A-Za-z][^<>]*>"));
    static const QRegularExpression colourPattern(
        QStringLiteral(
            R"re(((?:^|[\s"'])(?:bg)?color\s*=\s*["']?)([0-9A-Fa-f]{6}|[0-9A-Fa-f]{3})(?=["'\s/>]|$))re"),
        QRegularExpression::CaseInsensitiveOption);
    QString result;
    result.reserve(html.size() + 64);
    qsizetype done = 0;
    bool styleSheet = false; // the text before the next tag is a style sheet
    auto tags = tagPattern.globalMatch(html);
    while (tags.hasNext()) {
        const QRegularExpressionMatch tag = tags.next();
        QString between = html.mid(done, tag.capturedStart() - done);
        if (styleSheet) {
            ReadableColours(between);
        }
        result += between;
        QString text = tag.captured();
        text.replace(colourPattern, QStringLiteral("\\1#\\2"));
        ReadableColours(text);
        result += text;
        styleSheet = text.startsWith(QLatin1String("<style"), Qt::CaseInsensitive);
        done = tag.capturedEnd();
    }
    result += QStringView(html).mid(done);
    return result;
}

// The still picture that stands in for a movie: same path, ".png" instead of ".swf".
QString BannerPictureTag(const QString& movie, const QString& baseFolder)
{
    static const QRegularExpression swfEnd(QStringLiteral(R"re(\.swf$)re"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString picture = movie.trimmed();
    if (!swfEnd.match(picture).hasMatch()) {
        return {};
    }
    picture.replace(swfEnd, QStringLiteral(".png"));
    const QString found = FindLocalFile(picture, baseFolder);
    if (found.isEmpty()) {
        return {};
    }
    return QStringLiteral("<img src=\"%1\">").arg(QUrl::fromLocalFile(found).toString().toHtmlEscaped());
}

QString ReplaceMovies(const QString& html, const QString& baseFolder)
{
    static const QRegularExpression objectPattern(QStringLiteral(R"re(<object\b.*?</object\s*>)re"),
                                                  QRegularExpression::CaseInsensitiveOption |
                                                      QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression paramPattern(
        QStringLiteral(
            R"re(<param\b[^>]*\bname\s*=\s*["']?movie\b["']?[^>]*\bvalue\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression embedPattern(
        QStringLiteral(
            R"re(<embed\b[^>]*\b(?:movie|src)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+))[^>]*>(?:\s*</embed\s*>)?)re"),
        QRegularExpression::CaseInsensitiveOption);

    auto movieOf = [](const QRegularExpressionMatch& match) {
        for (int group = 1; group <= 3; ++group) {
            if (match.capturedStart(group) >= 0) {
                return match.captured(group);
            }
        }
        return QString();
    };
    auto replaceAll = [&](const QString& text, const QRegularExpression& pattern, auto movieIn) {
        QString result;
        qsizetype done = 0;
        auto blocks = pattern.globalMatch(text);
        while (blocks.hasNext()) {
            const QRegularExpressionMatch block = blocks.next();
            result += QStringView(text).mid(done, block.capturedStart() - done);
            result += BannerPictureTag(movieIn(block), baseFolder);
            done = block.capturedEnd();
        }
        result += QStringView(text).mid(done);
        return result;
    };

    const QString withoutObjects = replaceAll(html, objectPattern, [&](const QRegularExpressionMatch& block) {
        const QString inner = block.captured();
        QRegularExpressionMatch movie = paramPattern.match(inner);
        if (!movie.hasMatch()) {
            movie = embedPattern.match(inner);
        }
        return movie.hasMatch() ? movieOf(movie) : QString();
    });
    // A movie embedded without an object around it.
    return replaceAll(withoutObjects, embedPattern, movieOf);
}

} // namespace

QString DecodeFile(const QByteArray& bytes)
{
    if (const auto encoding = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*encoding);
        return decoder.decode(bytes);
    }
    static const QRegularExpression charsetPattern(
        QStringLiteral(R"re(<meta\b[^>]*charset\s*=\s*["']?([A-Za-z0-9_.:-]+))re"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch charset = charsetPattern.match(QString::fromLatin1(bytes.left(4096)));
    if (charset.hasMatch()) {
        const QString name = charset.captured(1);
        // The program's own table first, so its undefined bytes read as
        // everywhere else in the program.
        if (name.compare(QStringLiteral("windows-1250"), Qt::CaseInsensitive) == 0 ||
            name.compare(QStringLiteral("cp1250"), Qt::CaseInsensitive) == 0) {
            return Windows1250ToQString(
                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        }
        QStringDecoder decoder(name.toLatin1().constData());
        if (decoder.isValid()) {
            return decoder.decode(bytes);
        }
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    return Windows1250ToQString(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// Brings the laid-out tables closer to what a browser shows.
//
// The pages give their two columns 15% and 75%. A browser spreads the rest of
// the table over them and never makes a column narrower than its longest
// word; Qt leaves the rest empty and, once a label no longer fits its share,
// breaks every word of the table anywhere. Letting the widest column take
// whatever the others leave gives the browser's result.
void AdjustTables(QTextFrame* frame)
{
    if (auto* table = qobject_cast<QTextTable*>(frame)) {
        QTextTableFormat format = table->format();
        QList<QTextLength> columns = format.columnWidthConstraints();
        qreal total = 0;
        qsizetype widest = -1;
        for (qsizetype i = 0; i < columns.size(); ++i) {
            if (columns[i].type() != QTextLength::PercentageLength) {
                widest = -1;
                break;
            }
            total += columns[i].rawValue();
            if (widest < 0 || columns[i].rawValue() > columns[widest].rawValue()) {
                widest = i;
            }
        }
        if (columns.size() > 1 && widest >= 0 && total < 100) {
            columns[widest] = QTextLength(QTextLength::VariableLength, 0);
            format.setColumnWidthConstraints(columns);
            table->setFormat(format);
        }
        // A browser centres a cell's content vertically unless told otherwise;
        // Qt puts it at the top, which leaves each row label above its value.
        for (int row = 0; row < table->rows(); ++row) {
            for (int column = 0; column < table->columns(); ++column) {
                QTextTableCell cell = table->cellAt(row, column);
                if (cell.row() != row || cell.column() != column) {
                    continue; // the covered part of a spanning cell
                }
                QTextCharFormat cellFormat = cell.format();
                if (!cellFormat.hasProperty(QTextFormat::TextVerticalAlignment)) {
                    cellFormat.setVerticalAlignment(QTextCharFormat::AlignMiddle);
                    cell.setFormat(cellFormat);
                }
            }
        }
    }
    const QList<QTextFrame*> children = frame->childFrames();
    for (QTextFrame* child : children) {
        AdjustTables(child);
    }
}

QString FindLocalFile(const QString& path, const QString& baseFolder)
{
    if (path.isEmpty()) {
        return {};
    }
    QString full = path;
    if (QDir::isRelativePath(full)) {
        if (baseFolder.isEmpty()) {
            return {};
        }
        full = QDir(baseFolder).filePath(full);
    }
    const QFileInfo exact(full);
    if (exact.isFile()) {
        return exact.absoluteFilePath();
    }
    // File names are used without regard to case, and pages written on Windows
    // separate folders with backslashes.
    const QString normal = QDir::cleanPath(QString(full).replace(QLatin1Char('\\'), QLatin1Char('/')));
    if (QDir::isRelativePath(normal)) {
        return {};
    }
    // Folder by folder, each name as written or else differing only in case.
    const QStringList parts = normal.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    std::filesystem::path current(normal.startsWith(QLatin1Char('/')) ? u"/" : u"");
    for (const QString& part : parts) {
        if (current.empty()) {
            current = std::filesystem::path(part.toStdU16String()) / ""; // a drive, "C:"
            continue;
        }
        current = ResolveFile(current, part.toLocal8Bit().toStdString());
    }
    const QFileInfo found(QString::fromStdU16String(current.u16string()));
    return found.isFile() ? found.absoluteFilePath() : QString();
}

QString PreparePageForView(const QString& html, const QString& baseFolder)
{
    return AddHashToColours(ReplaceMovies(html, baseFolder));
}

QString DecodeGeneratedPage(std::string_view page, std::string_view folderBytes, const QString& folder)
{
    // The page's texts are Windows-1250, but the program's folder is written
    // in the bytes of the file system's names; each part is decoded as what it is.
    if (folderBytes.empty()) {
        return Windows1250ToQString(page);
    }
    QString html;
    html.reserve(static_cast<qsizetype>(page.size()));
    std::size_t done = 0;
    for (std::size_t at = page.find(folderBytes); at != std::string_view::npos;
         at = page.find(folderBytes, done)) {
        html += Windows1250ToQString(page.substr(done, at - done));
        html += folder;
        done = at + folderBytes.size();
    }
    html += Windows1250ToQString(page.substr(done));
    return html;
}

} // namespace dorvanta
