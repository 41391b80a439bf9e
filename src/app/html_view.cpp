#include "app/html_view.h"

#include "app/external_open.h"
#include "app/font_substitutes.h"
#include "app/panel_parts.h"
#include "app/page_rewrite.h"
#include "data/text.h"
#include "pages/pages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextFrame>

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

} // namespace

HtmlView::HtmlView(QWidget* parent) : QTextBrowser(parent), address_(BlankAddress())
{
    InstallFontSubstitutes();
    // Size 2 of the pages' font tags is 0.8 of this, the 13 pixels the pages
    // were laid out for.
    QFont base(QStringLiteral("Verdana"));
    base.setPointSizeF(12.0 * FontScale()); // the desktop's larger font makes the page larger too
    setFont(base);
    // Links are ours to judge: nothing is followed or opened by Qt itself.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    document()->setUndoRedoEnabled(false);
    // Break lines between words only, as a browser does. Qt's default also
    // breaks inside words, and falls back to it for a whole table as soon as
    // a full-width table is laid out, cutting the row labels apart.
    setWordWrapMode(QTextOption::WordWrap);
    // A caret for reading and selecting with the keyboard, as in a browser's
    // caret browsing; links are still followed by Tab and Enter.
    setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
    connect(this, &QTextBrowser::anchorClicked, this, &HtmlView::OnAnchorClicked);
}

void HtmlView::keyPressEvent(QKeyEvent* event)
{
    // Ctrl++ (or Ctrl+= without Shift) and Ctrl+- change the text size of
    // the page shown, and of the pages after it.
    const bool zoomIn = event->matches(QKeySequence::ZoomIn) ||
                        (event->key() == Qt::Key_Equal && event->modifiers() == Qt::ControlModifier);
    if (zoomIn || event->matches(QKeySequence::ZoomOut)) {
        zoomIn ? QTextBrowser::zoomIn(1) : QTextBrowser::zoomOut(1);
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

void HtmlView::SetProgramFolder(const std::filesystem::path& folder)
{
    folderBytes_ = ProgramFolderText(folder);
    folderText_ = QString::fromLocal8Bit(folderBytes_.data(), static_cast<qsizetype>(folderBytes_.size()));
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
    ShowHtml(PreparePageForView(DecodeGeneratedPage(joined, folderBytes_, folderText_), QString()),
             BlankAddress(), QString());
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
