#pragma once

#include <optional>
#include <string>
#include <string_view>

// The record files hold Windows-1250 bytes; the terminal and the CSV files
// speak UTF-8. These convert at the edge of the command-line tool.
namespace dorvanta::cli {

// Windows-1250 text as UTF-8; every byte gives exactly one character, by the
// one table of data/windows1250.h: the five bytes the code page leaves
// undefined (0x81, 0x83, 0x88, 0x90, 0x98) become their C1 control
// characters, as everywhere in the program, so they come back as they were.
std::string Cp1250ToUtf8(std::string_view text);

// The same, appended to `out`.
void AppendCp1250AsUtf8(std::string& out, std::string_view text);

// UTF-8 text as Windows-1250 bytes. The Romanian letters with comma below
// (U+0218 to U+021B), which the code page lacks, are taken as the cedilla
// letters it has, since that is how Romanian is written in it. Nothing when
// the text is not valid UTF-8 or holds any other character the code page lacks.
std::optional<std::string> Utf8ToCp1250(std::string_view text);

} // namespace dorvanta::cli
