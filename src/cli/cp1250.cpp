#include "cli/cp1250.h"

#include "platform/windows1250.h"

namespace dorvanta::cli {

namespace {

// What the bytes the code page leaves undefined become in UTF-8.
constexpr char32_t kReplacementCharacter = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        // Every character of the code page lies in the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 character at `pos`, advancing it; nothing for a malformed
// sequence (overlong forms and surrogates included).
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    std::size_t length = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        c = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        c = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        c = lead & 0x07;
        minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (pos + length > text.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        c = (c << 6) | (next & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return std::nullopt;
    }
    pos += length;
    return c;
}

// The Unicode code point of one Windows-1250 byte.
char32_t Cp1250ToCodePoint(unsigned char byte)
{
    return IsUndefinedWindows1250(byte) ? kReplacementCharacter : char32_t{Windows1250ToUnicode(byte)};
}

} // namespace

std::string Cp1250ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    AppendCp1250AsUtf8(out, text);
    return out;
}

void AppendCp1250AsUtf8(std::string& out, std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        // Runs of ASCII, most of every text, are the same bytes in UTF-8.
        std::size_t end = pos;
        while (end < text.size() && static_cast<unsigned char>(text[end]) < 0x80) {
            ++end;
        }
        out.append(text.data() + pos, end - pos);
        if (end < text.size()) {
            AppendUtf8(out, Cp1250ToCodePoint(static_cast<unsigned char>(text[end])));
            ++end;
        }
        pos = end;
    }
}

std::optional<std::string> Utf8ToCp1250(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::optional<char32_t> c = DecodeUtf8(text, pos);
        if (!c) {
            return std::nullopt;
        }
        const std::optional<unsigned char> byte = UnicodeToWindows1250(*c);
        if (!byte) {
            return std::nullopt;
        }
        out += static_cast<char>(*byte);
    }
    return out;
}

} // namespace dorvanta::cli
