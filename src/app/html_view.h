#pragma once

#include <QString>
#include <QTextBrowser>
#include <QUrl>
#include <QVariant>

#include "app/page_rewrite.h"

#include <filesystem>
#include <string>

namespace dorvanta {

// The embedded page view of the main window (Web_Companies, Web_Internet,
// Web_Help; the owner sets the object name). It shows the generated pages and
// the local start and help pages, runs no scripts, and decides itself which
// links may leave the program.
class HtmlView : public QTextBrowser
{
    Q_OBJECT

public:
    explicit HtmlView(QWidget* parent = nullptr);

    // Shows a generated page given as Windows-1250 bytes, replacing what the
    // view showed; the empty text gives an empty document. Emits
    // navigationComplete().
    void LoadPageIntoBrowser(const std::string& html);

    // Shows a local HTML file; its relative links and pictures resolve against
    // its folder. A missing or unreadable file gives an empty document. Emits
    // navigationComplete().
    void NavigateToFile(const QString& path);

    // The program's folder, as generated pages name it in their picture paths.
    void SetProgramFolder(const std::filesystem::path& folder);

    // False until the first page or file has been shown.
    bool HasDocument() const { return hasDocument_; }

    // The shown file's URL, or "about:blank" for a generated page (and before any).
    QUrl DocumentAddress() const { return address_; }

    QVariant loadResource(int type, const QUrl& name) override;

signals:
    void navigationComplete();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowHtml(const QString& html, const QUrl& address, const QString& baseFolder);
    void OnAnchorClicked(const QUrl& url);
    bool OpenLocalLink(const QUrl& url);

    bool hasDocument_ = false;
    QUrl address_;
    // Folder of the shown file; empty for a generated page, whose pictures are
    // all named by absolute path.
    QString baseFolder_;
    std::string folderBytes_;
    QString folderText_;
};

} // namespace dorvanta
