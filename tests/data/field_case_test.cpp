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

// The 40 letter pairs of Windows-1250 (Unicode's simple case mapping within
// the code page), written out here apart from the table they check.
TEST(FieldCase, FoldsTheFortyLetterPairsAndNothingElse)
{
    std::string capitals = "\x8A\x8C\x8D\x8E\x8F\xA3\xA5\xAA\xAF\xBC";
    std::string smalls = "\x9A\x9C\x9D\x9E\x9F\xB3\xB9\xBA\xBF\xBE";
    for (int c = 0xC0; c <= 0xDE; ++c) {
        if (c != 0xD7) { // the multiplication sign
            capitals += static_cast<char>(c);
            smalls += static_cast<char>(c + 32);
        }
    }
    ASSERT_EQ(capitals.size(), 40u);
    EXPECT_EQ(ToLower(capitals), smalls);
    EXPECT_EQ(ToUpper(smalls), capitals);
    EXPECT_EQ(ToLower(smalls), smalls);
    EXPECT_EQ(ToUpper(capitals), capitals);
    int changed = 0;
    for (int c = 0; c < 256; ++c) {
        changed += ToLower(static_cast<char>(c)) != static_cast<char>(c);
        changed += ToUpper(static_cast<char>(c)) != static_cast<char>(c);
    }
    EXPECT_EQ(changed, 2 * (40 + 26));
    EXPECT_EQ(ToUpper("\xDF\xF7"), "\xDF\xF7"); // ß has no capital; ÷ is no letter
}

// "ăâîşţ ĂÂÎŞŢ é" reduce to their base letters; ł đ ß do not decompose.
TEST(FieldCase, BaseLettersFollowTheCanonicalDecomposition)
{
    EXPECT_EQ(FoldForSearch("\xE3\xE2\xEE\xBA\xFE \xC3\xC2\xCE\xAA\xDE \xE9", true), "aaist aaist e");
    EXPECT_EQ(FoldForSearch("\xB3\xF0\xDF\xA3", true), "\xB3\xF0\xDF\xB3");
    EXPECT_EQ(FoldForSearch("\xC3", false), "\xE3");
    int marked = 0;
    for (int c = 0x80; c < 256; ++c) {
        const char base = BaseLetter(static_cast<char>(c));
        if (base != static_cast<char>(c)) {
            ++marked;
            EXPECT_TRUE((base >= 'a' && base <= 'z') || (base >= 'A' && base <= 'Z')) << c;
        }
    }
    EXPECT_EQ(marked, 76);
}

} // namespace
} // namespace dorvanta
