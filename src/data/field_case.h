#pragma once

#include "data/letter_case.h"
#include "data/scramble.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Unscrambling a stored field and changing the case of its letters in one go,
// eight bytes at a time. The searches and the import do this for every record
// of a file, where a byte-by-byte loop would cost more than reading the file.
// A-Z change by bit arithmetic on the whole word; the rare words holding a
// byte of 0x80 or above (the letters with diacritics) fall back to the table.
namespace dorvanta {

namespace field_case_detail {
inline constexpr std::uint64_t kHigh = 0x8080808080808080ull;
inline constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;

// High bit set in each byte of `word` that lies in [first, last] (7-bit bytes only).
inline std::uint64_t InRange(std::uint64_t word, char first, char last)
{
    const std::uint64_t low = word & kLow7;
    const std::uint64_t fromFirst = low + 0x0101010101010101ull * static_cast<std::uint8_t>(0x80 - first);
    const std::uint64_t pastLast = low + 0x0101010101010101ull * static_cast<std::uint8_t>(0x80 - last - 1);
    return fromFirst & ~pastLast & ~word & kHigh;
}

template <typename Change>
inline void UnscrambleWords(const std::uint8_t* stored, std::size_t length, char* out, Change change,
                            const std::array<std::uint8_t, 256>& table)
{
    const std::size_t words = (length + 7) / 8;
    for (std::size_t i = 0; i < words; ++i) {
        std::uint64_t word;
        std::uint64_t mask;
        std::memcpy(&word, stored + i * 8, 8);
        std::memcpy(&mask, kScrambleMask.data() + i * 8, 8);
        word = change(word ^ mask);
        std::memcpy(out + i * 8, &word, 8);
        if ((word & kHigh) != 0) {
            for (std::size_t k = i * 8; k < i * 8 + 8; ++k) {
                out[k] = static_cast<char>(table[static_cast<std::uint8_t>(out[k])]);
            }
        }
    }
}
} // namespace field_case_detail

// Unscrambles the `length` stored text bytes at `stored` into `out`, lower-
// casing A to Z. Works in whole words: it reads the stored bytes up to
// `length` rounded up to 8 (the caller's field must hold them) and writes as
// many to `out`; the bytes past `length` are of no meaning.
inline void UnscrambleLower(const std::uint8_t* stored, std::size_t length, char* out)
{
    field_case_detail::UnscrambleWords(
        stored, length, out,
        [](std::uint64_t word) { return word | (field_case_detail::InRange(word, 'A', 'Z') >> 2); },
        letter_case_detail::kLetters.lower);
}

// The same, upper-casing.
inline void UnscrambleUpper(const std::uint8_t* stored, std::size_t length, char* out)
{
    field_case_detail::UnscrambleWords(
        stored, length, out,
        [](std::uint64_t word) { return word & ~(field_case_detail::InRange(word, 'a', 'z') >> 2); },
        letter_case_detail::kLetters.upper);
}

} // namespace dorvanta
