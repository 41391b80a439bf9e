#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace dorvanta {

// The two keys of the field scrambling. They are part of both record file
// formats: every reader and writer of database.db and bursa.db uses them.
inline constexpr std::array<std::uint8_t, 5> kScrambleKey5 = {0x4B, 0x1D, 0x93, 0x6E, 0xA7};
inline constexpr std::array<std::uint8_t, 4> kScrambleKey4 = {0x35, 0xC8, 0x5A, 0x0F};

// Longest field text (the length byte caps it at 255).
inline constexpr std::size_t kMaxFieldLength = 255;

// Combined mask for the byte at 0-based index i (1-based position p = i + 1):
// key5[p mod 5] ^ key4[p mod 4]. The pattern repeats every 20 bytes.
// One byte of padding lets readers take the mask in whole 8-byte words.
inline constexpr std::array<std::uint8_t, kMaxFieldLength + 1> kScrambleMask = [] {
    std::array<std::uint8_t, kMaxFieldLength + 1> mask{};
    for (std::size_t i = 0; i < mask.size(); ++i) {
        const std::size_t p = i + 1;
        mask[i] = static_cast<std::uint8_t>(kScrambleKey5[p % 5] ^ kScrambleKey4[p % 4]);
    }
    return mask;
}();

// Copies `length` bytes of text to `out`, scrambled, eight bytes at a time:
// an import scrambles every field of every line. `out` may be `text` itself.
// The length must not exceed kMaxFieldLength.
inline void ScrambleInto(const char* text, std::size_t length, std::uint8_t* out)
{
    std::size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        std::uint64_t word;
        std::uint64_t mask;
        std::memcpy(&word, text + i, 8);
        std::memcpy(&mask, kScrambleMask.data() + i, 8);
        word ^= mask;
        std::memcpy(out + i, &word, 8);
    }
    for (; i < length; ++i) {
        out[i] = static_cast<std::uint8_t>(static_cast<std::uint8_t>(text[i]) ^ kScrambleMask[i]);
    }
}

// Scrambles or unscrambles (the operation is its own inverse) `length` bytes in place.
inline void ScrambleBytes(char* bytes, std::size_t length)
{
    ScrambleInto(bytes, length, reinterpret_cast<std::uint8_t*>(bytes));
}

// Copies `length` stored bytes to `out`, unscrambling them.
inline void UnscrambleInto(const std::uint8_t* stored, std::size_t length, char* out)
{
    for (std::size_t i = 0; i < length; ++i) {
        out[i] = static_cast<char>(stored[i] ^ kScrambleMask[i]);
    }
}

// The field scrambling of a whole text. Texts longer than a field can hold keep
// the key pattern going, so the result is defined for any length.
std::string ScrambleField(std::string_view text);

} // namespace dorvanta
