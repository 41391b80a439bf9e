#pragma once

#include <string>
#include <string_view>

// The trade register publishes UTF-8 text typed by many hands; the records hold
// Windows-1250. These turn one register field into the bytes a record keeps.
namespace dorvanta {

// One register field cleaned and converted: a backtick (the record's field
// end) becomes an apostrophe; CR, LF and tab become spaces; spaces are trimmed
// and collapsed; combining marks are composed with their letter; the Romanian
// letters with comma below become the code page's cedilla letters; any other
// letter the code page lacks becomes its base letter (Ñ → N, Ø → O); a
// character with neither is dropped, never written as "?"; invalid UTF-8 bytes
// are dropped.
std::string RegisterTextTo1250(std::string_view utf8);

// `text` cut to at most `width` bytes (Windows-1250: one byte per character),
// trailing spaces removed.
std::string CutTo(std::string_view text, std::size_t width);

// `text` cut to at most `width` bytes at a word boundary (a space or after a
// comma) when there is one, trailing spaces and commas removed.
std::string CutAtWord(std::string_view text, std::size_t width);

} // namespace dorvanta
