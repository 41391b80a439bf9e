#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The fixed pieces both pages are assembled from, exact to the byte. The odd
// spots (the doubled "</b></b>" of the activity cell) belong to the page
// format and are kept on purpose.
namespace dorvanta::page {

inline constexpr std::string_view kFontOpen =
    R"(<font size="2" face="Verdana, Arial, Helvetica, sans-serif">)";
inline constexpr std::string_view kFontClose = "</font>";
inline constexpr std::string_view kLabelOpen = "<font color=868686>";
inline constexpr std::string_view kRowEnd = "\r";
inline constexpr std::string_view kBlankRow = "<tr bgcolor=white><td>&nbsp;</td><td>&nbsp;</td></tr>";
inline constexpr std::string_view kRowTop = "<tr bgcolor=EBEBEB><td width=15%><b>";
inline constexpr std::string_view kRowWide = "<tr bgcolor=F4F4F4><td width=15%><b>";
inline constexpr std::string_view kRowPlain = "<tr bgcolor=F4F4F4><td><b>";
inline constexpr std::string_view kCellMid =
    "</b></td><td width=75%><table width=100%><tr><td width=18><img src='";
inline constexpr std::string_view kCellMidActivity =
    "</b></b></td><td width=75%><table width=100%><tr><td width=18><img src='";
inline constexpr std::string_view kCellClose = "</td></tr></table></td></tr>";
inline constexpr std::string_view kCellCloseTitle = "</b></center></td></tr></table></td></tr>";
inline constexpr std::string_view kCellCloseLink = "</a></td></tr></table></td></tr>";
inline constexpr std::string_view kTableOpen =
    "<br><table width=100% border=0 cellSpacing=1 cellPadding=0 bgcolor=8C8C8C >";
inline constexpr std::string_view kPageStart = "<HTML><BODY>";

// Room reserved up front for a page: the fixed parts and the longest fields
// fit in it, and every row adds the program folder once more (ReserveFor), so
// building a page never reallocates.
inline constexpr std::size_t kPageReserve = 8192;
inline constexpr std::size_t kFolderUsesPerPage = 20;
std::size_t ReserveFor(std::string_view programFolder);

// A row label: normally closed by its own FontClose. The County label of the
// company page is written without it, and the row's FontClose then ends the
// label's font instead.
struct Label
{
    std::string_view text;
    bool closed = true;
};

// The four row shapes. `opening` is RowTop, RowWide or RowPlain; a BlankRow
// that comes before a row is appended by the caller.
void AppendTitleRow(std::string& page, std::string_view opening, Label label, std::string_view iconFolder,
                    std::string_view iconTail, std::string_view value);
void AppendTextRow(std::string& page, std::string_view opening, Label label, std::string_view iconFolder,
                   std::string_view iconTail, std::string_view value);
void AppendLinkRow(std::string& page, std::string_view opening, Label label, std::string_view iconFolder,
                   std::string_view iconTail, std::string_view value, std::string_view linkTail);
void AppendActivityRow(std::string& page, std::string_view opening, Label label, std::string_view iconFolder,
                       std::string_view iconTail, std::string_view sentence);

// "<HTML><BODY>", the banner playing `movie` (its loop value is "false" on
// the company page, "default" on the opportunity page), then the table opening.
void AppendPageHead(std::string& page, std::string_view movie, std::string_view loop);

// A folder inside the program's folder, written with the platform's separator ("icon/").
std::string SubfolderText(std::string_view programFolder, std::string_view name);

} // namespace dorvanta::page
