#pragma once

#include <QString>

class QPagedPaintDevice;
class QTextDocument;

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

// Tests: with a path set, PrintView writes a PDF file there instead of using
// the printer. The empty path returns to the printer.
void SetPrintRedirect(const QString& pdfPath);

} // namespace dorvanta
