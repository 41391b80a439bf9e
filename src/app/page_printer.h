#pragma once

#include <QString>

class QPagedPaintDevice;
class QTextDocument;
class QWidget;

namespace dorvanta {

class HtmlView;

// The page-setup codes of the header and the footer of every printed page.
inline constexpr const char* kPrintHeader = "&w&bPage &p of &P";
inline constexpr const char* kPrintFooter = "&u&b&d";

// What the codes stand for, apart from the page numbers.
struct PrintContext
{
    QString windowTitle; // &w
    QString address;     // &u
    QString date;        // &d
};

// One header or footer line: the text before "&b" at the left, after it at the
// right (a second "&b" puts the middle part in the centre).
struct PrintLine
{
    QString left;
    QString centre;
    QString right;
};

// Expands &w, &u, &d, &p (page), &P (page count), &b and "&&" (one "&"); an
// unknown code stands as written.
PrintLine ExpandPrintCodes(const QString& codes, const PrintContext& context, int page, int pageCount);

// Lays `document` out in pages of `device` and paints each page with the header
// and footer. The document is copied; the original is not changed. Returns the
// number of pages painted (0 when the device cannot be painted on).
int PrintDocument(const QTextDocument& document, QPagedPaintDevice& device, const PrintContext& context);

// Prints the view's document to the default printer, without a dialog, with
// the header and footer above, the date in the short format of the locale.
// Returns false and prints nothing when the view holds no document, or when
// there is no printer (or it cannot be opened).
bool PrintView(HtmlView& view, const QString& windowTitle);

// Writes the view's document as a PDF file, with the same header and footer
// as on paper. False when the view holds no document or the file cannot be written.
bool SaveViewAsPdf(HtmlView& view, const QString& windowTitle, const QString& pdfPath);

// Whether PrintView has a printer to print on.
bool PrinterAvailable();

// The file a PDF of a page is first offered as: the page's title made a file
// name (characters no file system takes left out), in `folder`.
QString SuggestedPdfPath(const QString& title, const QString& folder);

// Asks for the file a PDF goes to, starting at `suggested`; empty when the
// user cancels. A name typed without ".pdf" gets it.
QString AskPdfPath(QWidget* parent, const QString& caption, const QString& suggested);
// Tests: the next AskPdfPath answers this at once, without a dialog.
void SetNextPdfPath(const QString& path);

// Tests: with a path set, PrintView writes a PDF file there instead of using
// the printer. The empty path returns to the printer.
void SetPrintRedirect(const QString& pdfPath);

} // namespace dorvanta
