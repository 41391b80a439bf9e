#include "pages/page_fragments.h"

#include "pages/pages.h"

#include "data/utf8_path.h"

#include <filesystem>

namespace dorvanta::page {

namespace {

constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

void AppendRowStart(std::string& page, std::string_view opening, Label label, std::string_view cellMid,
                    std::string_view iconFolder, std::string_view iconTail)
{
    page += opening;
    page += kFontOpen;
    page += kLabelOpen;
    page += label.text;
    if (label.closed) {
        page += kFontClose;
    }
    page += kFontClose;
    page += cellMid;
    page += iconFolder;
    page += iconTail;
}

void AppendValueCell(std::string& page, std::string_view value, std::string_view cellClose)
{
    page += kFontOpen;
    page += value;
    page += kFontClose;
    page += cellClose;
    page += kRowEnd;
}

} // namespace

std::size_t ReserveFor(std::string_view programFolder)
{
    return kPageReserve + kFolderUsesPerPage * programFolder.size();
}

void AppendTitleRow(std::string& page, std::string_view opening, Label label, std::string_view iconFolder,
                    std::string_view iconTail, std::string_view value)
{
    AppendRowStart(page, opening, label, kCellMid, iconFolder, iconTail);
    AppendValueCell(page, value, kCellCloseTitle);
}

void AppendTextRow(std::string& page, std::string_view opening, Label label, std::string_view iconFolder,
                   std::string_view iconTail, std::string_view value)
{
    AppendRowStart(page, opening, label, kCellMid, iconFolder, iconTail);
    AppendValueCell(page, value, kCellClose);
}

void AppendLinkRow(std::string& page, std::string_view opening, Label label, std::string_view iconFolder,
                   std::string_view iconTail, std::string_view value, std::string_view linkTail)
{
    AppendRowStart(page, opening, label, kCellMid, iconFolder, iconTail);
    // The value is the link target and, after the tail, the visible text.
    page += value;
    page += linkTail;
    AppendValueCell(page, value, kCellCloseLink);
}

void AppendActivityRow(std::string& page, std::string_view opening, Label label, std::string_view iconFolder,
                       std::string_view iconTail, std::string_view sentence)
{
    AppendRowStart(page, opening, label, kCellMidActivity, iconFolder, iconTail);
    AppendValueCell(page, sentence, kCellClose);
}

void AppendPageHead(std::string& page, std::string_view movie, std::string_view loop)
{
    page += kPageStart;
    page += R"(<center><object classid="clsid:D27CDB6E-AE6D-11cf-96B8-444553540000" codebase=")";
    page += kPlayerDownloadAddress;
    page += R"(" width="472" height="70" name=")";
    page += kPublisherHost;
    page += R"(">)";
    page += R"(<param name="loop" value=")";
    page += loop;
    page += R"(">)";
    page += R"(<param name="movie" value=")";
    page += movie;
    page += R"(">)";
    page += R"(<param name="quality" value="best"><param name="play" value="true">)";
    page += R"(<embed type="application/x-shockwave-flash" width="472" height="70" movie=")";
    page += movie;
    page += R"(" quality="best" play="true" name=")";
    page += kPublisherHost;
    page += R"(" loop=")";
    page += loop;
    page += R"("></object></center>)";
    page += kTableOpen;
    page += kRowEnd;
}

std::string SubfolderText(std::string_view programFolder, std::string_view name)
{
    std::string text;
    text.reserve(programFolder.size() + name.size() + 1);
    text += programFolder;
    text += name;
    text += kSeparator;
    return text;
}

} // namespace dorvanta::page

namespace dorvanta {

std::string ProgramFolderText(const std::filesystem::path& folder)
{
    const auto isSeparator = [](char c) { return c == '/' || c == page::kSeparator; };
    std::string text = Utf8FromPath(folder);
    std::size_t end = text.size();
    while (end > 0 && isSeparator(text[end - 1])) {
        --end;
    }
    if (end == 0) {
        // Nothing but separators is the root; an empty path is the current
        // folder, which a lone separator would turn into the root.
        return folder.empty() ? std::string{'.', page::kSeparator} : std::string(1, page::kSeparator);
    }
    text.resize(end);
    text += page::kSeparator;
    return text;
}

} // namespace dorvanta
