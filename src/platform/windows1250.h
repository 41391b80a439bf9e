#pragma once

#include <optional>

// The Windows-1250 code page (Central European, Romanian included), in which
// the record files and the generated pages are written. The core keeps these
// bytes as they are; the window and the command-line tool convert at their
// edge through this one table.
namespace dorvanta {

// The Unicode character of one byte. The five bytes the code page leaves
// undefined (0x81, 0x83, 0x88, 0x90, 0x98) map to the control character of
// the same number, as Windows itself does.
char16_t Windows1250ToUnicode(unsigned char byte);

// Whether the code page leaves this byte undefined.
bool IsUndefinedWindows1250(unsigned char byte);

// The byte of one Unicode character (the control characters of the undefined
// bytes included); nothing when the code page lacks it. The
// Romanian letters with comma below (U+0218 to U+021B), which it lacks, give
// the letters with cedilla it has: to a reader they are the same letters.
std::optional<unsigned char> UnicodeToWindows1250(char32_t character);

} // namespace dorvanta
