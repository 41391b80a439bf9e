#pragma once

#include "data/scramble.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

// Unscrambling a stored field and changing the case of its letters A to Z in
// one go, eight bytes at a time. The searches and the import do this for
// every record of a file, where a byte-by-byte loop would cost more than
// reading the file.
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
inline void UnscrambleWords(const std::uint8_t* stored, std::size_t length, char* out, Change change)
{
    const std::size_t words = (length + 7) / 8;
    for (std::size_t i = 0; i < words; ++i) {
        std::uint64_t word;
        std::uint64_t mask;
        std::memcpy(&word, stored + i * 8, 8);
        std::memcpy(&mask, kScrambleMask.data() + i * 8, 8);
        word = change(word ^ mask);
        std::memcpy(out + i * 8, &word, 8);
    }
}
} // namespace field_case_detail

// Unscrambles the `length` stored text bytes at `stored` into `out`, lower-
// casing A to Z. Works in whole words: it reads the stored bytes up to
// `length` rounded up to 8 (the caller's field must hold them) and writes as
// many to `out`; the bytes past `length` are of no meaning.
inline void UnscrambleLower(const std::uint8_t* stored, std::size_t length, char* out)
{
    field_case_detail::UnscrambleWords(stored, length, out, [](std::uint64_t word) {
        return word | (field_case_detail::InRange(word, 'A', 'Z') >> 2);
    });
}

// The same, upper-casing a to z.
inline void UnscrambleUpper(const std::uint8_t* stored, std::size_t length, char* out)
{
    field_case_detail::UnscrambleWords(stored, length, out, [](std::uint64_t word) {
        return word & ~(field_case_detail::InRange(word, 'a', 'z') >> 2);
    });
}

} // namespace dorvanta
