#pragma once

#include <string>
#include <string_view>
#include <vector>

// Text helpers for the single-byte (Windows-1250) texts of the record files.
// Case changes touch the letters A to Z only; every other byte stays as it is.
namespace dorvanta {

inline char ToLowerAZ(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline char ToUpperAZ(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string ToLowerAZ(std::string_view text);
std::string ToUpperAZ(std::string_view text);

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

} // namespace dorvanta
