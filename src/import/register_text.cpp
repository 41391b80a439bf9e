#include "import/register_text.h"

#include "data/windows1250.h"

#include <array>
#include <cstdint>

namespace dorvanta {

namespace {

// The base letter (or the nearest letter the code page has: Ấ gives Â) of
// every Latin letter of these two blocks, as a Windows-1250 byte: 0 for none,
// 1 for a letter written with two (kTwoLetters).
// U+00C0 to U+024F
constexpr char kLatinC0Bytes[] =
    "\x41\xC1\xC2\x41\xC4\x41\x01\xC7\x45\xC9\x45\xCB\x49\xCD\xCE\x49\xD0\x4E\x4F\xD3\xD4\x4F\xD6\xD7"
    "\x4F\x55\xDA\x55\xDC\xDD\x01\xDF\x61\xE1\xE2\x61\xE4\x61\x01\xE7\x65\xE9\x65\xEB\x69\xED\xEE\x69"
    "\x64\x6E\x6F\xF3\xF4\x6F\xF6\xF7\x6F\x75\xFA\x75\xFC\xFD\x01\x79\x41\x61\xC3\xE3\xA5\xB9\xC6\xE6"
    "\x43\x63\x43\x63\xC8\xE8\xCF\xEF\xD0\xF0\x45\x65\x45\x65\x45\x65\xCA\xEA\xCC\xEC\x47\x67\x47\x67"
    "\x47\x67\x47\x67\x48\x68\x48\x68\x49\x69\x49\x69\x49\x69\x49\x69\x49\x69\x01\x01\x4A\x6A\x4B\x6B"
    "\x6B\xC5\xE5\x4C\x6C\xBC\xBE\x4C\x6C\xA3\xB3\xD1\xF1\x4E\x6E\xD2\xF2\x01\x4E\x6E\x4F\x6F\x4F\x6F"
    "\xD5\xF5\x01\x01\xC0\xE0\x52\x72\xD8\xF8\x8C\x9C\x53\x73\xAA\xBA\x8A\x9A\xDE\xFE\x8D\x9D\x54\x74"
    "\x55\x75\x55\x75\x55\x75\xD9\xF9\xDB\xFB\x55\x75\x57\x77\x59\x79\x59\x8F\x9F\xAF\xBF\x8E\x9E\x73"
    "\x62\x42\x42\x62\x00\x00\x00\x43\x63\x00\x44\x44\x64\x00\x00\x00\x00\x46\x66\x47\x00\x00\x00\x49"
    "\x4B\x6B\x6C\x00\x00\x4E\x6E\x4F\x4F\x6F\x00\x00\x50\x70\x00\x00\x00\x00\x00\x74\x54\x74\x54\x55"
    "\x75\x00\x56\x59\x79\x5A\x7A\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x01\x44\x01\x01"
    "\x4C\x01\x01\x4E\x01\x41\x61\x49\x69\x4F\x6F\x55\x75\xDC\xFC\xDC\xFC\xDC\xFC\xDC\xFC\x00\xC4\xE4"
    "\x41\x61\x01\x01\x47\x67\x47\x67\x4B\x6B\x4F\x6F\x4F\x6F\x00\x00\x6A\x01\x44\x01\x47\x67\x00\x00"
    "\x4E\x6E\x41\x61\x01\x01\x4F\x6F\x41\x61\x41\x61\x45\x65\x45\x65\x49\x69\x49\x69\x4F\x6F\x4F\x6F"
    "\x52\x72\x52\x72\x55\x75\x55\x75\xAA\xBA\xDE\xFE\x00\x00\x48\x68\x4E\x64\x00\x00\x5A\x7A\x41\x61"
    "\x45\x65\xD6\xF6\x4F\x6F\x4F\x6F\x4F\x6F\x59\x79\x6C\x6E\x74\x6A\x00\x00\x41\x43\x63\x4C\x54\x73"
    "\x7A\x00\x00\x42\x55\x00\x45\x65\x4A\x6A\x00\x71\x52\x72\x59\x79";
// U+1E00 to U+1EFF
constexpr char kLatin1E00Bytes[] =
    "\x41\x61\x42\x62\x42\x62\x42\x62\xC7\xE7\x44\x64\x44\x64\x44\x64\x44\x64\x44\x64\x45\x65\x45\x65"
    "\x45\x65\x45\x65\x45\x65\x46\x66\x47\x67\x48\x68\x48\x68\x48\x68\x48\x68\x48\x68\x49\x69\x49\x69"
    "\x4B\x6B\x4B\x6B\x4B\x6B\x4C\x6C\x4C\x6C\x4C\x6C\x4C\x6C\x4D\x6D\x4D\x6D\x4D\x6D\x4E\x6E\x4E\x6E"
    "\x4E\x6E\x4E\x6E\x4F\x6F\x4F\x6F\x4F\x6F\x4F\x6F\x50\x70\x50\x70\x52\x72\x52\x72\x52\x72\x52\x72"
    "\x53\x73\x53\x73\x8C\x9C\x8A\x9A\x53\x73\x54\x74\x54\x74\x54\x74\x54\x74\x55\x75\x55\x75\x55\x75"
    "\x55\x75\x55\x75\x56\x76\x56\x76\x57\x77\x57\x77\x57\x77\x57\x77\x57\x77\x58\x78\x58\x78\x59\x79"
    "\x5A\x7A\x5A\x7A\x5A\x7A\x68\x74\x77\x79\x61\x73\x00\x00\xDF\x00\x41\x61\x41\x61\xC2\xE2\xC2\xE2"
    "\xC2\xE2\xC2\xE2\x41\x61\xC3\xE3\xC3\xE3\xC3\xE3\xC3\xE3\x41\x61\x45\x65\x45\x65\x45\x65\x45\x65"
    "\x45\x65\x45\x65\x45\x65\x45\x65\x49\x69\x49\x69\x4F\x6F\x4F\x6F\xD4\xF4\xD4\xF4\xD4\xF4\xD4\xF4"
    "\x4F\x6F\x4F\x6F\x4F\x6F\x4F\x6F\x4F\x6F\x4F\x6F\x55\x75\x55\x75\x55\x75\x55\x75\x55\x75\x55\x75"
    "\x55\x75\x59\x79\x59\x79\x59\x79\x59\x79\x00\x00\x00\x00\x59\x79";
// The tables hold zeros: their length is that of the arrays.
constexpr std::string_view kLatinC0(kLatinC0Bytes, sizeof(kLatinC0Bytes) - 1);
constexpr std::string_view kLatin1E00(kLatin1E00Bytes, sizeof(kLatin1E00Bytes) - 1);
static_assert(kLatinC0.size() == 0x250 - 0xC0 && kLatin1E00.size() == 0x100);

struct TwoLetters
{
    char32_t character;
    const char* text;
};
constexpr std::array<TwoLetters, 21> kTwoLetters = {{
    {0x00C6, "AE"}, {0x00DE, "Th"}, {0x00E6, "ae"}, {0x00FE, "th"}, {0x0132, "IJ"}, {0x0133, "ij"},
    {0x0149, "'n"}, {0x0152, "OE"}, {0x0153, "oe"}, {0x01C4, "DZ"}, {0x01C6, "dz"}, {0x01C7, "LJ"},
    {0x01C9, "lj"}, {0x01CA, "NJ"}, {0x01CC, "nj"}, {0x01E2, "AE"}, {0x01E3, "ae"}, {0x01F1, "DZ"},
    {0x01F3, "dz"}, {0x01FC, "AE"}, {0x01FD, "ae"},
}};

// A letter a-z followed by a combining mark, and the code page's letter that
// writes both. The comma below gives the cedilla letters, as the code page's
// Romanian does.
struct Composition
{
    char base;
    char16_t mark;
    unsigned char byte;
};
constexpr Composition kCompositions[] = {
    {'A', 0x0301, 0xC1}, {'C', 0x0301, 0xC6}, {'E', 0x0301, 0xC9}, {'I', 0x0301, 0xCD}, {'L', 0x0301, 0xC5},
    {'N', 0x0301, 0xD1}, {'O', 0x0301, 0xD3}, {'R', 0x0301, 0xC0}, {'S', 0x0301, 0x8C}, {'U', 0x0301, 0xDA},
    {'Y', 0x0301, 0xDD}, {'Z', 0x0301, 0x8F}, {'a', 0x0301, 0xE1}, {'c', 0x0301, 0xE6}, {'e', 0x0301, 0xE9},
    {'i', 0x0301, 0xED}, {'l', 0x0301, 0xE5}, {'n', 0x0301, 0xF1}, {'o', 0x0301, 0xF3}, {'r', 0x0301, 0xE0},
    {'s', 0x0301, 0x9C}, {'u', 0x0301, 0xFA}, {'y', 0x0301, 0xFD}, {'z', 0x0301, 0x9F}, {'A', 0x0302, 0xC2},
    {'I', 0x0302, 0xCE}, {'O', 0x0302, 0xD4}, {'a', 0x0302, 0xE2}, {'i', 0x0302, 0xEE}, {'o', 0x0302, 0xF4},
    {'A', 0x0306, 0xC3}, {'a', 0x0306, 0xE3}, {'Z', 0x0307, 0xAF}, {'z', 0x0307, 0xBF}, {'A', 0x0308, 0xC4},
    {'E', 0x0308, 0xCB}, {'O', 0x0308, 0xD6}, {'U', 0x0308, 0xDC}, {'a', 0x0308, 0xE4}, {'e', 0x0308, 0xEB},
    {'o', 0x0308, 0xF6}, {'u', 0x0308, 0xFC}, {'U', 0x030A, 0xD9}, {'u', 0x030A, 0xF9}, {'O', 0x030B, 0xD5},
    {'U', 0x030B, 0xDB}, {'o', 0x030B, 0xF5}, {'u', 0x030B, 0xFB}, {'C', 0x030C, 0xC8}, {'D', 0x030C, 0xCF},
    {'E', 0x030C, 0xCC}, {'L', 0x030C, 0xBC}, {'N', 0x030C, 0xD2}, {'R', 0x030C, 0xD8}, {'S', 0x030C, 0x8A},
    {'T', 0x030C, 0x8D}, {'Z', 0x030C, 0x8E}, {'c', 0x030C, 0xE8}, {'d', 0x030C, 0xEF}, {'e', 0x030C, 0xEC},
    {'l', 0x030C, 0xBE}, {'n', 0x030C, 0xF2}, {'r', 0x030C, 0xF8}, {'s', 0x030C, 0x9A}, {'t', 0x030C, 0x9D},
    {'z', 0x030C, 0x9E}, {'S', 0x0326, 0xAA}, {'T', 0x0326, 0xDE}, {'s', 0x0326, 0xBA}, {'t', 0x0326, 0xFE},
    {'C', 0x0327, 0xC7}, {'S', 0x0327, 0xAA}, {'T', 0x0327, 0xDE}, {'c', 0x0327, 0xE7}, {'s', 0x0327, 0xBA},
    {'t', 0x0327, 0xFE}, {'A', 0x0328, 0xA5}, {'E', 0x0328, 0xCA}, {'a', 0x0328, 0xB9}, {'e', 0x0328, 0xEA},
};

bool IsCombiningMark(char32_t c)
{
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) ||
           (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE20 && c <= 0xFE2F);
}

bool IsSpace(char32_t c)
{
    return c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

bool IsControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

bool IsAsciiLetter(char32_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// What stands for a character the code page lacks: its base letter or the
// nearest sign the code page has; nothing when there is none.
std::string_view Substitute(char32_t c, char& single)
{
    std::uint8_t byte = 0;
    if (c >= 0xC0 && c < 0xC0 + kLatinC0.size()) {
        byte = static_cast<std::uint8_t>(kLatinC0[c - 0xC0]);
    } else if (c >= 0x1E00 && c < 0x1E00 + kLatin1E00.size()) {
        byte = static_cast<std::uint8_t>(kLatin1E00[c - 0x1E00]);
    } else if (c >= 0xFF01 && c <= 0xFF5E) {
        byte = static_cast<std::uint8_t>(c - 0xFEE0); // full-width forms of ASCII
    } else if ((c >= 0x2010 && c <= 0x2012) || c == 0x2015 || c == 0x2212) {
        byte = '-';
    } else if (c == 0x2032 || c == 0x201B) {
        byte = '\'';
    } else if (c == 0x2033 || c == 0x201F) {
        byte = '"';
    }
    if (byte == 1) {
        for (const TwoLetters& two : kTwoLetters) {
            if (two.character == c) {
                return two.text;
            }
        }
        return {};
    }
    if (byte == 0) {
        return {};
    }
    single = static_cast<char>(byte);
    return std::string_view(&single, 1);
}

} // namespace

std::string RegisterTextTo1250(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    bool pendingSpace = false;
    // Whether the last byte written is a letter a-z that a following mark may join.
    bool composable = false;
    const auto append = [&](std::string_view bytes) {
        if (pendingSpace) {
            out += ' ';
            pendingSpace = false;
        }
        out += bytes;
    };
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        // Runs of plain ASCII, nearly every field, need no lookup.
        std::size_t end = pos;
        while (end < utf8.size()) {
            const auto byte = static_cast<unsigned char>(utf8[end]);
            if (byte <= 0x20 || byte >= 0x7F || byte == '`') {
                break;
            }
            ++end;
        }
        if (end > pos) {
            append(utf8.substr(pos, end - pos));
            composable = IsAsciiLetter(static_cast<unsigned char>(utf8[end - 1]));
            pos = end;
            continue;
        }
        const std::optional<char32_t> decoded = DecodeUtf8(utf8, pos);
        if (!decoded) {
            ++pos; // a byte that is not UTF-8 is dropped
            continue;
        }
        const char32_t c = *decoded;
        if (IsSpace(c)) {
            pendingSpace = !out.empty();
            composable = false;
            continue;
        }
        if (c == '`') {
            append("'");
            composable = false;
            continue;
        }
        if (IsControl(c)) {
            continue;
        }
        if (IsCombiningMark(c)) {
            if (composable) {
                for (const Composition& composition : kCompositions) {
                    if (composition.mark == c && composition.base == out.back()) {
                        out.back() = static_cast<char>(composition.byte);
                        break;
                    }
                }
            }
            // A mark that finds no letter of the code page is dropped with
            // every later one: the letter stays as the precomposed form gives it.
            composable = false;
            continue;
        }
        composable = false;
        if (const std::optional<unsigned char> byte = UnicodeToWindows1250(c)) {
            const char b = static_cast<char>(*byte);
            append(std::string_view(&b, 1));
            continue;
        }
        char single = 0;
        const std::string_view substitute = Substitute(c, single);
        if (!substitute.empty()) {
            append(substitute);
        }
    }
    return out;
}

std::string CutTo(std::string_view text, std::size_t width)
{
    text = text.substr(0, width);
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return std::string(text);
}

std::string CutAtWord(std::string_view text, std::size_t width)
{
    if (text.size() > width) {
        // The last space that leaves the text within the width; a single word
        // longer than the width is cut inside it.
        const std::size_t space = text.rfind(' ', width);
        text = text.substr(0, space == std::string_view::npos || space == 0 ? width : space);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == ',')) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

} // namespace dorvanta
