#pragma once

#include <optional>
#include <string>
#include <string_view>

// The Windows-1250 code page (Central European, Romanian included), in which
// the record files and the generated pages are written. The core keeps these
// bytes as they are; the window, the command-line tool and the import from the
// trade register convert at their edge through this one table.
namespace dorvanta {

// The Unicode character of one byte. The five bytes the code page leaves
// undefined (0x81, 0x83, 0x88, 0x90, 0x98) map to the control character of
// the same number, as Windows itself does, so every byte comes back.
char16_t Windows1250ToUnicode(unsigned char byte);

// Whether the code page leaves this byte undefined.
bool IsUndefinedWindows1250(unsigned char byte);

// The byte of one Unicode character (the control characters of the undefined
// bytes included); nothing when the code page lacks it. The
// Romanian letters with comma below (U+0218 to U+021B), which it lacks, give
// the letters with cedilla it has: to a reader they are the same letters.
std::optional<unsigned char> UnicodeToWindows1250(char32_t character);

// Windows-1250 bytes as UTF-8, one character per byte (the undefined bytes as
// their control characters).
std::string Windows1250ToUtf8(std::string_view bytes);

// Appends one character as UTF-8.
void AppendUtf8(std::string& out, char32_t character);

// Decodes one UTF-8 character at `pos` and moves past it; nothing for a
// malformed sequence (overlong forms and surrogates included), `pos` then unmoved.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos);

// UTF-8 text as Windows-1250 bytes; nothing when the text is not valid UTF-8
// or holds a character the code page lacks.
std::optional<std::string> Utf8ToWindows1250(std::string_view text);

} // namespace dorvanta
