// The company import against the plainest reading of its rules, and the
// rules that make an answer applied twice, or a blanking cut short, leave
// what one clean run would.
#include "import/record_import.h"

#include "data/file_access.h"
#include "data/record_layout.h"
#include "data/text.h"
#include "support/company_file.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace dorvanta {
namespace {

namespace fs = std::filesystem;
using test::Company;
using test::CompanyFields;
using test::Line;
using test::ReadBytes;
using test::ReadCompanies;
using test::WriteBytes;
using test::WriteCompanies;
using test::WriteLimit;

class CompanyImportRules : public ::testing::Test
{
protected:
    fs::path Database() const { return dir_ / "database.db"; }

    CompanyImportReport Import(const std::vector<std::string>& lines, const CompanyImportTuning& tuning = {})
    {
        return ImportCompanies(dir_.path(), lines, progress_, Language::EN, tuning);
    }

    test::TempDir dir_;
    test::RecordingProgress progress_;
};

TEST_F(CompanyImportRules, AnAnswerWithALongNameAppliedTwiceAddsNoRecord)
{
    WriteCompanies(Database(), {Company("A")});
    const std::string longName = std::string(79, 'L') + "td, a name longer than its field";
    const std::vector<std::string> answer{Line('!', Company(longName, "CJ"))};
    ASSERT_FALSE(Import(answer).databaseMissing);
    ASSERT_FALSE(Import(answer).databaseMissing);
    // Another tail, other letter case: the first 80 bytes make the company.
    ASSERT_FALSE(
        Import({Line('!', Company(ToLowerAZ(longName.substr(0, 80)) + " SRL", "AB"))}).databaseMissing);
    const auto companies = ReadCompanies(Database());
    ASSERT_EQ(companies.size(), 2u);
    EXPECT_EQ(companies[1][0], ToLowerAZ(longName.substr(0, 80)));
    EXPECT_EQ(companies[1][1], "AB");
}

TEST_F(CompanyImportRules, ACompanyAddedAndBlankedInOneAnswerLeavesNoRecord)
{
    WriteCompanies(Database(), {Company("A")});
    const std::vector<std::string> answer{Line('!', Company("NEW", "B")), Line('!', Company("new", "CJ")),
                                          Line('@', Company("New")), Line('!', Company("KEPT"))};
    ASSERT_FALSE(Import(answer).databaseMissing);
    ASSERT_FALSE(Import(answer).databaseMissing);
    EXPECT_EQ(ReadCompanies(Database()), (std::vector<CompanyFields>{Company("A"), Company("KEPT")}));
}

TEST_F(CompanyImportRules, ABlankingCutShortIsFinishedByTheNextImport)
{
    WriteCompanies(Database(), {Company("A"), Company("B"), Company("C")});
    const std::vector<std::string> answer{Line('@', Company("b"))};
    {
        // The disk fills ten bytes into the record: the name is gone, the
        // details are still there.
        WriteLimit full(10);
        EXPECT_THROW(Import(answer), FileError);
    }
    ASSERT_EQ(ReadCompanies(Database())[1][0], "");
    ASSERT_EQ(ReadCompanies(Database())[1][2], "Str. B");

    ASSERT_FALSE(Import(answer).databaseMissing);
    EXPECT_EQ(ReadCompanies(Database()), (std::vector<CompanyFields>{Company("A"), {}, Company("C")}));
    EXPECT_TRUE(ReadBytes(Database()).substr(company_layout::kRecordSize, company_layout::kRecordSize) ==
                std::string(company_layout::kRecordSize, '\0'));
    {
        // A blank record that is whole is left as it is: nothing to write.
        WriteLimit full(0);
        EXPECT_FALSE(Import(answer).databaseMissing);
    }
}

// The import as the simplest reading of its rules: every line opens the file
// and scans it from the start. The indexed import must give the same bytes.
// Besides one line at a time: the cut blankings of the file are cleared
// first, and an "!" line that would add a name whose last line blanks it
// adds nothing.
void NaiveImport(const fs::path& database, const std::vector<std::string>& lines)
{
    struct Valid
    {
        bool blank;
        std::vector<std::string> fields;
    };
    std::vector<Valid> valid;
    for (const std::string& text : lines) {
        if (text.size() < 10 || (text[0] != '!' && text[0] != '@')) {
            continue;
        }
        std::vector<std::string> fields;
        std::size_t start = 1;
        for (int k = 0; k < 14; ++k) {
            const std::size_t end = text.find('`', start);
            if (end == std::string::npos) {
                break;
            }
            fields.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        if (fields.size() == 14) {
            valid.push_back(Valid{text[0] == '@', fields});
        }
    }
    if (valid.empty()) {
        return; // the file is not even opened
    }
    // The name as the record would hold it.
    const auto key = [](const std::string& name) { return ToUpperAZ(name.substr(0, 80)); };
    std::map<std::string, bool> lastBlanks;
    for (const Valid& line : valid) {
        lastBlanks[key(line.fields[0])] = line.blank;
    }
    std::string bytes = ReadBytes(database);
    for (std::size_t at = 0; at + company_layout::kRecordSize <= bytes.size();
         at += company_layout::kRecordSize) {
        bool cut = false;
        for (const FieldLayout& field : company_layout::kFields) {
            cut = cut || (field.offset > 0 && bytes[at + field.offset] != 0);
        }
        if (bytes[at] == 0 && cut) {
            bytes.replace(at, company_layout::kRecordSize, company_layout::kRecordSize, '\0');
        }
    }
    WriteBytes(database, bytes);

    for (const Valid& line : valid) {
        bytes = ReadBytes(database);
        std::string record(company_layout::kRecordSize, '\0');
        if (!line.blank) {
            for (std::size_t k = 0; k < 14; ++k) {
                WriteField(reinterpret_cast<std::uint8_t*>(record.data()), company_layout::kFields[k],
                           line.fields[k]);
            }
        }
        bool matched = false;
        for (std::size_t at = 0; at + company_layout::kRecordSize <= bytes.size();
             at += company_layout::kRecordSize) {
            const auto* stored = reinterpret_cast<const std::uint8_t*>(bytes.data() + at);
            if (ToUpperAZ(ReadField(stored, company_layout::kFields[0])) == key(line.fields[0])) {
                bytes.replace(at, record.size(), record);
                matched = true;
                break;
            }
        }
        const std::string name = key(line.fields[0]);
        if (!matched && !line.blank && (name.empty() || !lastBlanks[name])) {
            bytes += record;
        }
        WriteBytes(database, bytes);
    }
}

TEST_F(CompanyImportRules, GivesTheSameFileAsAScanPerLine)
{
    std::mt19937 random(20240611);
    const std::vector<std::string> pool = {"",
                                           "a",
                                           "A",
                                           "b",
                                           "Beta SRL",
                                           "BETA srl",
                                           "beta srl ",
                                           "c\xE2",
                                           "C\xE2",
                                           "C\xC2",
                                           std::string(85, 'z'),
                                           std::string(80, 'Z'),
                                           std::string(80, 'z') + "Q"};
    auto pick = [&] { return pool[random() % pool.size()]; };
    // Batches of the usual size, and of a few records, whose seams most
    // answers cross.
    const std::size_t batchRecords[] = {0, 1, 2, 3};
    for (int round = 0; round < 320; ++round) {
        CompanyImportTuning tuning;
        if (const std::size_t records = batchRecords[round % 4]; records > 0) {
            tuning.batchBytes = records * company_layout::kRecordSize;
        }
        // Blank records among them, whole or left by a cut blanking.
        std::vector<CompanyFields> start;
        const int records = static_cast<int>(random() % 12);
        for (int r = 0; r < records; ++r) {
            const int kind = static_cast<int>(random() % 8);
            start.push_back(kind == 0   ? CompanyFields{}
                            : kind == 1 ? Company(std::string(), std::to_string(r))
                                        : Company(pick(), std::to_string(r)));
        }
        std::vector<std::string> lines;
        const int count = static_cast<int>(random() % 40);
        for (int l = 0; l < count; ++l) {
            const int kind = static_cast<int>(random() % 10);
            const std::string county = std::to_string(100 + l);
            if (kind < 5) {
                lines.push_back(Line('!', Company(pick(), county)));
            } else if (kind < 9) {
                lines.push_back(Line('@', Company(pick(), county)));
            } else {
                lines.push_back(Line('!', Company(pick(), county)).substr(0, 12));
            }
        }
        const fs::path expected = dir_ / "expected.db";
        WriteCompanies(expected, start);
        WriteCompanies(Database(), start);
        NaiveImport(expected, lines);
        ASSERT_FALSE(Import(lines, tuning).databaseMissing);
        ASSERT_EQ(ReadCompanies(Database()), ReadCompanies(expected)) << "round " << round;
        ASSERT_TRUE(ReadBytes(Database()) == ReadBytes(expected)) << "round " << round;
    }
}

// A disk that fills in the second batch: the first batch's records are in the
// file, whole, the failure is reported, and the same answer applied again
// once there is room gives the file one clean run gives.
TEST_F(CompanyImportRules, AFullDiskInTheSecondBatchLeavesWholeRecordsAndIsRepairedByTheNextRun)
{
    std::vector<CompanyFields> start;
    for (int r = 0; r < 6; ++r) {
        start.push_back(Company("OLD " + std::to_string(r), "B"));
    }
    std::vector<std::string> lines;
    for (int l = 0; l < 12; ++l) {
        // Replacements and additions in turn.
        lines.push_back(
            Line('!', Company((l % 2 ? "NEW " : "OLD ") + std::to_string(l / 2), std::to_string(l))));
    }
    const fs::path expected = dir_ / "expected.db";
    WriteCompanies(expected, start);
    NaiveImport(expected, lines);
    WriteCompanies(Database(), start);

    CompanyImportTuning tuning;
    tuning.batchBytes = 3 * company_layout::kRecordSize;
    {
        // The first batch (three lines) goes through; the second stops part-way.
        const WriteLimit limit(4 * company_layout::kRecordSize + 100);
        EXPECT_THROW(Import(lines, tuning), FileError);
    }
    const std::string bytes = ReadBytes(Database());
    EXPECT_EQ(bytes.size() % company_layout::kRecordSize, 0u);
    const auto afterFailure = ReadCompanies(Database());
    ASSERT_GE(afterFailure.size(), start.size() + 1);
    EXPECT_EQ(afterFailure[6], ReadCompanies(expected)[6]); // the first batch added NEW 0

    ASSERT_FALSE(Import(lines, tuning).databaseMissing);
    EXPECT_TRUE(ReadBytes(Database()) == ReadBytes(expected));
}

} // namespace
} // namespace dorvanta
