#include "app/html_view.h"

#include "app/external_open.h"
#include "app/font_substitutes.h"
#include "app/windows1250.h"
#include "data/text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>

namespace dorvanta {

namespace {

const QUrl& BlankAddress()
{
    static const QUrl blank(QStringLiteral("about:blank"));
    return blank;
}

bool IsHtmlFileName(const QString& name)
{
    return name.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive) ||
           name.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive);
}

// Walks `path` folder by folder and takes, where the exact name is missing,
// an entry that differs only in the case of its letters.
QString FindIgnoringCase(const QString& path)
{
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty()) {
        return {};
    }
    QString current;
    qsizetype first = 0;
    if (path.startsWith(QLatin1Char('/'))) {
        current = QStringLiteral("/");
    } else {
        current = parts.front() + QLatin1Char('/'); // a drive, "C:"
        first = 1;
    }
    for (qsizetype i = first; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const QString prefix = current.endsWith(QLatin1Char('/')) ? current : current + QLatin1Char('/');
        QString next = prefix + part;
        if (!QFileInfo::exists(next)) {
            const QStringList entries = QDir(current).entryList(QDir::AllEntries | QDir::Hidden |
                                                                QDir::System | QDir::NoDotAndDotDot);
            const auto match = std::find_if(entries.begin(), entries.end(), [&part](const QString& entry) {
                return entry.compare(part, Qt::CaseInsensitive) == 0;
            });
            if (match == entries.end()) {
                return {};
            }
            next = prefix + *match;
        }
        current = next;
    }
    return current;
}

// The local path a resource name of a page stands for, before looking it up.
QString PathOfResource(const QUrl& name)
{
    if (name.isLocalFile()) {
        return name.toLocalFile();
    }
    const QString scheme = name.scheme();
    if (scheme.isEmpty()) {
        return name.path(QUrl::FullyDecoded);
    }
    // "C:\Program Files\..." reads as a URL with the scheme "c".
    if (scheme.size() == 1 && scheme.front().isLetter()) {
        return scheme + QLatin1Char(':') + name.path(QUrl::FullyDecoded);
    }
    return {};
}

QVariant LoadLocalResource(const QUrl& name, const QString& baseFolder)
{
    const QString path = FindLocalFile(PathOfResource(name), baseFolder);
    if (path.isEmpty()) {
        return {};
    }
    // Field texts go into the pages unescaped, so a record can name any file
    // as a picture; a huge one is not read into memory.
    constexpr qint64 kLargestResource = 32 * 1024 * 1024;
    QFile file(path);
    if (file.size() > kLargestResource || !file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

// Help and start pages are files of unknown origin: a byte-order mark or a
// declared character set wins; otherwise UTF-8 when the bytes are valid
// UTF-8, else the Windows-1250 of the program's own texts.
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
        QStringDecoder decoder(name.toLatin1().constData());
        if (decoder.isValid()) {
            return decoder.decode(bytes);
        }
        if (name.compare(QStringLiteral("windows-1250"), Qt::CaseInsensitive) == 0 ||
            name.compare(QStringLiteral("cp1250"), Qt::CaseInsensitive) == 0) {
            return Windows1250ToQString(
                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        }
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    return Windows1250ToQString(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
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
    auto tags = tagPattern.globalMatch(html);
    while (tags.hasNext()) {
        const QRegularExpressionMatch tag = tags.next();
        result += QStringView(html).mid(done, tag.capturedStart() - done);
        QString text = tag.captured();
        text.replace(colourPattern, QStringLiteral("\\1#\\2"));
        result += text;
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

} // namespace

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
    const QFileInfo found(FindIgnoringCase(normal));
    return found.isFile() ? found.absoluteFilePath() : QString();
}

QString PreparePageForView(const QString& html, const QString& baseFolder)
{
    return AddHashToColours(ReplaceMovies(html, baseFolder));
}

HtmlView::HtmlView(QWidget* parent) : QTextBrowser(parent), address_(BlankAddress())
{
    InstallFontSubstitutes();
    // Size 2 of the pages' font tags is 0.8 of this, the 13 pixels the pages
    // were laid out for.
    QFont base(QStringLiteral("Verdana"));
    base.setPointSizeF(12.0);
    setFont(base);
    // Links are ours to judge: nothing is followed or opened by Qt itself.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    document()->setUndoRedoEnabled(false);
    // Break lines between words only, as a browser does. Qt's default also
    // breaks inside words, and falls back to it for a whole table as soon as
    // a full-width table is laid out, cutting the row labels apart.
    setWordWrapMode(QTextOption::WordWrap);
    connect(this, &QTextBrowser::anchorClicked, this, &HtmlView::OnAnchorClicked);
}

void HtmlView::LoadPageIntoBrowser(const std::string& html)
{
    // The page goes over as lines, each ended by CR LF, whatever breaks it had.
    std::string joined;
    joined.reserve(html.size() + html.size() / 32);
    for (const std::string& line : SplitLines(html)) {
        joined += line;
        joined += "\r\n";
    }
    ShowHtml(PreparePageForView(Windows1250ToQString(joined), QString()), BlankAddress(), QString());
}

void HtmlView::NavigateToFile(const QString& path)
{
    if (path.isEmpty()) {
        ShowHtml(QString(), BlankAddress(), QString());
        return;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QString found = FindLocalFile(absolute);
    const QFileInfo info(found.isEmpty() ? absolute : found);
    const QString folder = info.absolutePath();
    QString html;
    if (!found.isEmpty()) {
        QFile file(found);
        if (file.open(QIODevice::ReadOnly)) {
            html = PreparePageForView(DecodeFile(file.readAll()), folder);
        }
    }
    ShowHtml(html, QUrl::fromLocalFile(info.absoluteFilePath()), folder);
}

void HtmlView::ShowHtml(const QString& html, const QUrl& address, const QString& baseFolder)
{
    address_ = address;
    baseFolder_ = baseFolder;
    // Copies of the document (printing) find the pictures the same way; the
    // folder is captured by value so a copy never refers back to this view.
    document()->setResourceProvider(
        [baseFolder](const QUrl& name) { return LoadLocalResource(name, baseFolder); });
    setHtml(html);
    AdjustTables(document()->rootFrame());
    // Also keeps Qt's own last-resort lookup away from the working folder.
    document()->setMetaInformation(QTextDocument::DocumentUrl, address.toString());
    hasDocument_ = true;
    emit navigationComplete();
}

QVariant HtmlView::loadResource(int type, const QUrl& name)
{
    (void)type;
    return LoadLocalResource(name, baseFolder_);
}

bool HtmlView::OpenLocalLink(const QUrl& url)
{
    if (baseFolder_.isEmpty()) {
        return false;
    }
    const QString relative = url.path(QUrl::FullyDecoded);
    if (relative.isEmpty() || !QDir::isRelativePath(relative)) {
        return false;
    }
    const QString base = QDir::cleanPath(baseFolder_);
    const QString target = QDir::cleanPath(QDir(base).filePath(relative));
    // Only pages of the shown folder: a page must not lead the view elsewhere on the disk.
    if (!target.startsWith(base + QLatin1Char('/'))) {
        return false;
    }
    const QString found = FindLocalFile(target);
    if (found.isEmpty() && !IsHtmlFileName(relative.section(QLatin1Char('/'), 0, 0))) {
        return false; // no such file, and not written like a page: a web address
    }
    NavigateToFile(found.isEmpty() ? target : found);
    if (url.hasFragment()) {
        scrollToAnchor(url.fragment(QUrl::FullyDecoded));
    }
    return true;
}

void HtmlView::OnAnchorClicked(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == QStringLiteral("mailto") || scheme == QStringLiteral("http") ||
        scheme == QStringLiteral("https")) {
        OpenExternally(url);
        return;
    }
    // "firma.ro:8080" reads as the scheme "firma.ro": a host, not a scheme.
    if (!scheme.isEmpty() && !scheme.contains(QLatin1Char('.'))) {
        return; // file:, javascript:, ftp: and the like are never followed
    }
    if (scheme.isEmpty() && url.path().isEmpty() && url.host().isEmpty()) {
        if (url.hasFragment()) {
            scrollToAnchor(url.fragment(QUrl::FullyDecoded));
        }
        return;
    }
    if (scheme.isEmpty() && url.host().isEmpty() && OpenLocalLink(url)) {
        return;
    }
    // A web address written without a scheme, as the pages' web rows are.
    // Only what starts with a host name: "../x.htm" or "/etc" must not become
    // an address.
    static const QRegularExpression hostStart(
        QStringLiteral(R"re(^[A-Za-z0-9-]+(\.[A-Za-z0-9-]+)+(:[0-9]+)?([/?#]|$))re"));
    QString text = url.toString();
    if (text.startsWith(QStringLiteral("//"))) {
        text.remove(0, 2);
    }
    if (!hostStart.match(text).hasMatch()) {
        return;
    }
    const QUrl web(QStringLiteral("http://") + text, QUrl::TolerantMode);
    if (web.isValid() && !web.host().isEmpty()) {
        OpenExternally(web);
    }
}

} // namespace dorvanta
