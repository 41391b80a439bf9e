#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The letters of the Windows-1250 code page: its 40 pairs of capital and
// small letters (Unicode's simple case mapping restricted to the code page)
// and the base letter of each letter that carries diacritics. Every search,
// the title case of names, the pages and the import's company identity take
// their case changes from here, so the Romanian letters fold as a-z do.
namespace dorvanta {

namespace letter_case_detail {

struct LetterTables
{
    std::array<std::uint8_t, 256> lower{};
    std::array<std::uint8_t, 256> upper{};
    std::array<std::uint8_t, 256> base{}; // of a small or capital letter
};

// Capital and small letter of each pair beyond A-Z: Š Ś Ť Ž Ź Ł Ą Ş Ż Ľ and
// C0-DE / E0-FE except × and ÷ (ß has no capital).
inline constexpr std::string_view kCapitals = "\x8A\x8C\x8D\x8E\x8F\xA3\xA5\xAA\xAF\xBC";
inline constexpr std::string_view kSmalls = "\x9A\x9C\x9D\x9E\x9F\xB3\xB9\xBA\xBF\xBE";

// The letters whose canonical decomposition is an ASCII letter followed by
// combining marks, and that letter. Ł ł Đ đ ß decompose to nothing and stay.
inline constexpr std::string_view kMarked =
    "\x8A\x8C\x8D\x8E\x8F\x9A\x9C\x9D\x9E\x9F\xA5\xAA\xAF\xB9\xBA\xBC\xBE\xBF\xC0\xC1\xC2\xC3\xC4\xC5"
    "\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD1\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xE0"
    "\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF1\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA"
    "\xFB\xFC\xFD\xFE";
inline constexpr std::string_view kBases =
    "SSTZZsstzzASZasLlzRAAAALCCCEEEEIIDNNOOOORUUUUYTraaaalccceeeeiidnnooooruuuuyt";
static_assert(kMarked.size() == 76 && kBases.size() == 76);

constexpr LetterTables MakeLetterTables()
{
    LetterTables t;
    for (int c = 0; c < 256; ++c) {
        t.lower[c] = t.upper[c] = t.base[c] = static_cast<std::uint8_t>(c);
    }
    const auto pair = [&t](int capital, int small) {
        t.lower[capital] = static_cast<std::uint8_t>(small);
        t.upper[small] = static_cast<std::uint8_t>(capital);
    };
    for (int c = 'A'; c <= 'Z'; ++c) {
        pair(c, c + 32);
    }
    for (int c = 0xC0; c <= 0xDE; ++c) {
        if (c != 0xD7) {
            pair(c, c + 32);
        }
    }
    for (std::size_t i = 0; i < kCapitals.size(); ++i) {
        pair(static_cast<std::uint8_t>(kCapitals[i]), static_cast<std::uint8_t>(kSmalls[i]));
    }
    for (std::size_t i = 0; i < kMarked.size(); ++i) {
        t.base[static_cast<std::uint8_t>(kMarked[i])] = static_cast<std::uint8_t>(kBases[i]);
    }
    return t;
}

inline constexpr LetterTables kLetters = MakeLetterTables();

} // namespace letter_case_detail

inline char ToLower(char c)
{
    return static_cast<char>(letter_case_detail::kLetters.lower[static_cast<std::uint8_t>(c)]);
}

inline char ToUpper(char c)
{
    return static_cast<char>(letter_case_detail::kLetters.upper[static_cast<std::uint8_t>(c)]);
}

// The letter without its diacritics (ă → a, Ş → S); other bytes stay.
inline char BaseLetter(char c)
{
    return static_cast<char>(letter_case_detail::kLetters.base[static_cast<std::uint8_t>(c)]);
}

} // namespace dorvanta
