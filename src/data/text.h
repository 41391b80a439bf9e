#pragma once

#include "data/letter_case.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Text helpers for the single-byte (Windows-1250) texts of the record files.
// Case changes follow the letter pairs of the code page (data/letter_case.h);
// every other byte stays as it is.
namespace dorvanta {

std::string ToLower(std::string_view text);
std::string ToUpper(std::string_view text);

// The older names of ToLower and ToUpper, from when case changes touched A-Z
// only; they fold the same letters now.
inline char ToLowerAZ(char c)
{
    return ToLower(c);
}
inline char ToUpperAZ(char c)
{
    return ToUpper(c);
}
inline std::string ToLowerAZ(std::string_view text)
{
    return ToLower(text);
}
inline std::string ToUpperAZ(std::string_view text)
{
    return ToUpper(text);
}

// The form in which the name and keyword tests compare a text: lower case,
// and with `ignoreDiacritics` every letter reduced to its base letter.
std::string FoldForSearch(std::string_view text, bool ignoreDiacritics);

// Reduces the letters of `text` to their base letters in place.
void StripDiacritics(char* text, std::size_t length);

// Every "." becomes a space.
std::string DotsToSpaces(std::string_view text);

// The display form of a company name in the result list.
std::string TitleCaseName(std::string_view text);

// Splits at CR, LF or CR LF; a break at the very end makes no empty last line.
std::vector<std::string> SplitLines(std::string_view text);

// Removes leading and trailing spaces and control characters (bytes up to 32).
std::string_view Trim(std::string_view text);
std::string_view TrimLeft(std::string_view text);

// True when the text holds nothing but spaces and control characters.
bool IsBlank(std::string_view text);

// Replaces every occurrence of `from` (not empty) by `to`, scanning left to right.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// `text` with every byte that occurs in `bytes` written as "%XX" (capital hex
// digits) and every other byte left as it is.
std::string PercentEncode(std::string_view text, std::string_view bytes);

// Appends `text` as one CSV field: as it is, or quoted with its quotes
// doubled when it holds a comma, a quote or a line break.
void AppendCsvField(std::string& out, std::string_view text);

} // namespace dorvanta
