#include "data/windows1250.h"

#include <gtest/gtest.h>

namespace dorvanta {
namespace {

TEST(Windows1250, EveryByteComesBackThroughUtf8)
{
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    const std::string utf8 = Windows1250ToUtf8(all);
    EXPECT_EQ(Utf8ToWindows1250(utf8), all);
    // The undefined bytes are their C1 controls; comma-below letters take the cedilla.
    EXPECT_EQ(Windows1250ToUtf8("\x81"), "\xC2\x81");
    EXPECT_EQ(Utf8ToWindows1250("\xC8\x99\xC8\x9B\xC8\x98\xC8\x9A"), "\xBA\xFE\xAA\xDE");
    // Strict: a character the code page lacks, or a broken sequence, gives nothing.
    EXPECT_FALSE(Utf8ToWindows1250("\xC3\x91"));
    EXPECT_FALSE(Utf8ToWindows1250("a\xC3"));
}

} // namespace
} // namespace dorvanta
