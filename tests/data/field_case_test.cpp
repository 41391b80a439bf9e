#include "data/field_case.h"
#include "data/scramble.h"
#include "data/text.h"

#include <gtest/gtest.h>

namespace dorvanta {
namespace {

// The word-at-a-time forms must agree with the plain byte rules for every
// byte value and every length a field can have.
TEST(FieldCase, WordsAgreeWithTheByteRules)
{
    std::string plain(256, '\0');
    for (int shift = 0; shift < 4; ++shift) {
        for (std::size_t i = 0; i < plain.size(); ++i) {
            plain[i] = static_cast<char>((i * 7 + shift * 61) & 0xFF);
        }
        for (std::size_t length : {0u, 1u, 7u, 8u, 9u, 33u, 80u, 255u}) {
            const std::string text = plain.substr(0, length);
            std::string stored = ScrambleField(text);
            stored.resize(256, '\0'); // the field's room past the text
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(stored.data());
            char lower[264];
            char upper[264];
            UnscrambleLower(bytes, length, lower);
            UnscrambleUpper(bytes, length, upper);
            EXPECT_EQ(std::string(lower, length), ToLowerAZ(text)) << length;
            EXPECT_EQ(std::string(upper, length), ToUpperAZ(text)) << length;
        }
    }
}

} // namespace
} // namespace dorvanta
