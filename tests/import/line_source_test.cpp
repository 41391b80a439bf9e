#include "import/line_source.h"

#include "data/record_file.h"
#include "data/text.h"
#include "support/temp_dir.h"
#include "import/company_answer_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

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

// The same through NextView, which the import reads with.
std::vector<std::string> AllViews(LineSource& source)
{
    std::vector<std::string> lines;
    std::string storage;
    std::string_view line;
    while (source.NextView(line, storage)) {
        lines.emplace_back(line);
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
        EXPECT_TRUE(AllViews(source) == first) << text.size();
    }
}

TEST(FileLineSource, CutsALongLineAndGoesOnWithTheNext)
{
    TempDir dir;
    const std::string longLine = std::string(kMaxLineBytes, 'a') + std::string(3 * kMaxLineBytes + 5, 'b');
    WriteBytes(dir / "lines.txt", "short\n" + longLine + "\nafter");
    FileLineSource source(dir / "lines.txt");
    const std::vector<std::string> expected = {"short", std::string(kMaxLineBytes, 'a'), "after"};
    EXPECT_EQ(AllLines(source), expected);
    source.Rewind();
    EXPECT_EQ(AllViews(source), expected);
    EXPECT_THROW(FileLineSource(dir / "missing.txt"), FileError);
}

} // namespace
} // namespace dorvanta

namespace dorvanta {
namespace {

// The company update scans its answer as it arrives, in whatever pieces the
// network hands it; the scan must see the lines FileLineSource later reads.
TEST(ScanningOutputStream, ScansTheLinesFileLineSourceReadsWhateverThePieces)
{
    const auto valid = [](const std::string& name, const std::string& tail = "") {
        return "!" + name + std::string(14, '`') + tail;
    };
    const std::string answer = valid("Alfa") + "\r\n" + valid("beta") + "\r" + "\n" + "short\n" +
                               valid("ALFA") + "\r\r" + "@" + valid("Gama").substr(1) + "\n" +
                               valid("Lung", std::string(kMaxLineBytes, 'x')) + "\r\n" + "!Cut" +
                               std::string(13, '`') + std::string(kMaxLineBytes, 'z') + "`\n" + valid("Last");
    TempDir dir;
    WriteBytes(dir / "answer.txt", answer);
    FileLineSource file(dir / "answer.txt");
    CompanyAnswerScan expected;
    std::string line;
    while (file.Next(line)) {
        expected.AddLine(line);
    }
    for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, answer.size()}) {
        std::ostringstream written;
        ScanningOutputStream out(written);
        for (std::size_t at = 0; at < answer.size(); at += piece) {
            out.write(answer.data() + at, static_cast<std::streamsize>(std::min(piece, answer.size() - at)));
        }
        CompanyAnswerScan scan = out.Finish();
        EXPECT_EQ(written.str(), answer);
        EXPECT_EQ(scan.lines(), expected.lines()) << "pieces of " << piece;
        EXPECT_EQ(scan.names().size(), expected.names().size()) << "pieces of " << piece;
        for (const char* name : {"ALFA", "BETA", "GAMA", "LUNG", "LAST"}) {
            scan.names().Add(name, 7);
            EXPECT_EQ(scan.names().Find(name), 7u) << name << ", pieces of " << piece;
        }
        // Its last backtick was cut off with the rest of the long line.
        EXPECT_FALSE(scan.names().Find("CUT"));
    }
    EXPECT_EQ(expected.lines(), 9u);
    EXPECT_EQ(expected.names().size(), 5u);
}

// A full disk under the answer: the stream fails, and Finish says so
// rather than hand over a scan of lines the file does not hold.
TEST(ScanningOutputStream, FailsWhenTheTargetStopsTakingBytes)
{
    struct FullDisk : std::streambuf
    {
        std::size_t room = 1'500'000;
        std::streamsize xsputn(const char*, std::streamsize size) override
        {
            const auto taken = std::min<std::streamsize>(size, static_cast<std::streamsize>(room));
            room -= static_cast<std::size_t>(taken);
            return taken;
        }
    } disk;
    std::ostream target(&disk);
    ScanningOutputStream out(target);
    const std::string piece = "!Alfa" + std::string(14, '`') + std::string(16'000, 'x') + "\n";
    for (int i = 0; i < 200 && out; ++i) {
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    }
    EXPECT_FALSE(out);
    EXPECT_THROW(out.Finish(), std::ios_base::failure);
}

} // namespace
} // namespace dorvanta
