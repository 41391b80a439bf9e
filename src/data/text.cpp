#include "data/text.h"

namespace dorvanta {

std::string ToLower(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        c = ToLower(c);
    }
    return result;
}

std::string ToUpper(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        c = ToUpper(c);
    }
    return result;
}

void StripDiacritics(char* text, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i) {
        text[i] = BaseLetter(text[i]);
    }
}

std::string FoldForSearch(std::string_view text, bool ignoreDiacritics)
{
    std::string result = ToLower(text);
    if (ignoreDiacritics) {
        StripDiacritics(result.data(), result.size());
    }
    return result;
}

std::string DotsToSpaces(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        if (c == '.') {
            c = ' ';
        }
    }
    return result;
}

std::string TitleCaseName(std::string_view text)
{
    std::string name = ToLower(text);
    if (name.size() < 2) {
        return name;
    }
    name[0] = ToUpper(name[0]);
    for (std::size_t i = 1; i < name.size(); ++i) {
        const char before = name[i - 1];
        if (before == ' ' || before == '&' || before == ',' || before == '-' || before == '.' ||
            before == ';') {
            name[i] = ToUpper(name[i]);
        }
    }
    name = ReplaceAll(name, " Srl", " SRL");
    return ReplaceAll(name, " Sa ", " SA ");
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
        ++i;
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

namespace {
bool IsSpaceOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}
} // namespace

std::string_view TrimLeft(std::string_view text)
{
    std::size_t begin = 0;
    while (begin < text.size() && IsSpaceOrControl(text[begin])) {
        ++begin;
    }
    return text.substr(begin);
}

std::string_view Trim(std::string_view text)
{
    text = TrimLeft(text);
    std::size_t end = text.size();
    while (end > 0 && IsSpaceOrControl(text[end - 1])) {
        --end;
    }
    return text.substr(0, end);
}

bool IsBlank(std::string_view text)
{
    return Trim(text).empty();
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (true) {
        const std::size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos || from.empty()) {
            result.append(text.substr(pos));
            return result;
        }
        result.append(text.substr(pos, hit - pos));
        result.append(to);
        pos = hit + from.size();
    }
}

std::string PercentEncode(std::string_view text, std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size());
    for (const char ch : text) {
        if (bytes.find(ch) != std::string_view::npos) {
            const auto c = static_cast<unsigned char>(ch);
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 0x0F];
        } else {
            encoded += ch;
        }
    }
    return encoded;
}

void AppendCsvField(std::string& out, std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

} // namespace dorvanta
