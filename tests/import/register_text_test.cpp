#include "import/register_text.h"

#include <gtest/gtest.h>

namespace dorvanta {
namespace {

TEST(RegisterText, RomanianLettersInEverySpellingGiveTheCodePageLetters)
{
    // ș ț Ș Ț with comma below, ş ţ with cedilla, and s/t followed by the
    // combining comma below or cedilla all give ş ţ Ş Ţ of the code page.
    EXPECT_EQ(RegisterTextTo1250("\xC8\x99\xC8\x9B\xC8\x98\xC8\x9A"), "\xBA\xFE\xAA\xDE");
    EXPECT_EQ(RegisterTextTo1250("\xC5\x9F\xC5\xA3"), "\xBA\xFE");
    EXPECT_EQ(RegisterTextTo1250("s\xCC\xA6t\xCC\xA7S\xCC\xA6"), "\xBA\xFE\xAA");
    // ă â î decomposed (breve, circumflex) and precomposed.
    EXPECT_EQ(RegisterTextTo1250("a\xCC\x86"
                                 "a\xCC\x82i\xCC\x82"),
              "\xE3\xE2\xEE");
    EXPECT_EQ(RegisterTextTo1250("\xC4\x83\xC3\xA2\xC3\xAE"), "\xE3\xE2\xEE");
    // Central-European letters the code page has stay: ő, č, ł.
    EXPECT_EQ(RegisterTextTo1250("\xC5\x91o\xCC\x8B\xC4\x8D\xC5\x82"), "\xF5\xF5\xE8\xB3");
}

TEST(RegisterText, OtherLettersBecomeTheirBaseAndTheRestIsDropped)
{
    // Ñ and decomposed Ñ give N, Ø gives O, Æ gives AE, ấ gives â.
    EXPECT_EQ(RegisterTextTo1250("\xC3\x91-N\xCC\x83-\xC3\x98-\xC3\x86-\xE1\xBA\xA5"), "N-N-O-AE-\xE2");
    // An emoji, a Cyrillic letter, a stray mark and invalid bytes are dropped, never "?".
    EXPECT_EQ(RegisterTextTo1250("A\xF0\x9F\x98\x80"
                                 "B\xD0\x96\xCC\x81 C\xFF\xC3"),
              "AB C");
}

TEST(RegisterText, CleaningKeepsTheLineFormatSafe)
{
    // A backtick ends a field of the line: it becomes an apostrophe. CR, LF,
    // tab and no-break spaces become spaces, trimmed and collapsed.
    EXPECT_EQ(RegisterTextTo1250("  O`NEIL\r\n\tSRL \xC2\xA0 "), "O'NEIL SRL");
    EXPECT_EQ(RegisterTextTo1250("\xE2\x80\x9E"
                                 "Ab\xE2\x80\x9D \xE2\x80\x93 x\xE2\x80\x90y"),
              "\x84"
              "Ab\x94 \x96 x-y");
}

TEST(RegisterText, CutsKeepWholeWordsWhereAsked)
{
    EXPECT_EQ(CutTo("abc def", 4), "abc");
    EXPECT_EQ(CutAtWord("Str. Lunga nr. 10, bl. A1", 19), "Str. Lunga nr. 10");
    EXPECT_EQ(CutAtWord("abcdefgh", 5), "abcde");
    EXPECT_EQ(CutAtWord("short", 90), "short");
}

} // namespace
} // namespace dorvanta
