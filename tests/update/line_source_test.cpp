#include "update/line_source.h"

#include "data/record_file.h"
#include "data/text.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace dorvanta {
namespace {

using test::TempDir;
using test::WriteBytes;

std::vector<std::string> AllLines(LineSource& source)
{
    std::vector<std::string> lines;
    std::string line;
    while (source.Next(line)) {
        lines.push_back(line);
    }
    return lines;
}

TEST(FileLineSource, SplitsAsTheServersAnswersAreSplitAcrossBlockBoundaries)
{
    TempDir dir;
    // Breaks of every kind, empty lines, no break at the end, and a CR LF
    // that falls across the boundary of the 1 MiB read blocks.
    // Lines of 100 bytes, then a line whose CR is the last byte of the first block.
    std::string head;
    for (int i = 0; i < 10485; ++i) {
        head += std::string(99, 'h') + "\n";
    }
    head += std::string((std::size_t{1} << 20) - 1 - head.size(), 'x');
    const std::vector<std::string> texts = {"a\r\nb\rc\nd\n\ne\r\rf", "", "\r\n", "\n\n", "x\r",
                                            head + "\r\nnext\r\n"};
    for (const std::string& text : texts) {
        WriteBytes(dir / "lines.txt", text);
        FileLineSource source(dir / "lines.txt");
        const auto first = AllLines(source);
        EXPECT_TRUE(first == SplitLines(text)) << text.size();
        source.Rewind();
        EXPECT_TRUE(AllLines(source) == first) << text.size();
    }
}

TEST(FileLineSource, CutsALongLineAndGoesOnWithTheNext)
{
    TempDir dir;
    const std::string longLine = std::string(kMaxLineBytes, 'a') + std::string(3 * kMaxLineBytes + 5, 'b');
    WriteBytes(dir / "lines.txt", "short\n" + longLine + "\nafter");
    FileLineSource source(dir / "lines.txt");
    EXPECT_EQ(AllLines(source),
              (std::vector<std::string>{"short", std::string(kMaxLineBytes, 'a'), "after"}));
    EXPECT_THROW(FileLineSource(dir / "missing.txt"), FileError);
}

} // namespace
} // namespace dorvanta
