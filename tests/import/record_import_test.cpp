#include "import/record_import.h"

#include "data/record_file.h"
#include "data/record_layout.h"
#include "support/company_file.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>

namespace dorvanta {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

using test::Company;
using test::CompanyFields;
using test::Line;
using test::Names;
using test::ReadCompanies;
using test::RecordingProgress;
using test::WriteCompanies;

using AdFields = std::array<std::string, opportunity_layout::FieldCount>;

std::vector<AdFields> ReadAds(const fs::path& path)
{
    const std::string bytes = ReadBytes(path);
    std::vector<AdFields> ads;
    for (std::size_t at = 0; at + opportunity_layout::kRecordSize <= bytes.size();
         at += opportunity_layout::kRecordSize) {
        const auto* record = reinterpret_cast<const std::uint8_t*>(bytes.data() + at);
        AdFields fields;
        for (std::size_t k = 0; k < fields.size(); ++k) {
            fields[k] = ReadField(record, opportunity_layout::kFields[k]);
        }
        ads.push_back(fields);
    }
    return ads;
}

// ---------------------------------------------------------------- business ads

TEST(SplitOpportunityLine, CutsThirteenFieldsAndFillsMissingOnesEmpty)
{
    const auto full = SplitOpportunityLine("1`a`Firm`B`Subj`2004-01-02`Text`1`Ion`021`022`e@x.ro`www`tail");
    EXPECT_EQ(full[0], "1");
    EXPECT_EQ(full[3], "B");
    EXPECT_EQ(full[12], "www");

    const auto partial = SplitOpportunityLine("  7 `b`no end");
    EXPECT_EQ(partial[0], "  7 ");
    EXPECT_EQ(partial[1], "b");
    for (std::size_t k = 2; k < partial.size(); ++k) {
        EXPECT_EQ(partial[k], "") << k;
    }
    for (const auto& field : SplitOpportunityLine("")) {
        EXPECT_EQ(field, "");
    }
}

TEST(AppendOpportunities, CreatesTheFileAndMapsFieldsAroundTheReservedOne)
{
    TempDir dir;
    RecordingProgress progress;
    const std::string description(256, 'd');
    AppendOpportunities(dir.path(),
                        {"42`c`Firma SRL`CJ`Vand`2004-11-15`" + description +
                             "`1`Ion Pop`0264`0265`ion@firma.ro`www.firma.ro`",
                         ""},
                        progress);
    const auto ads = ReadAds(dir / "bursa.db");
    ASSERT_EQ(ads.size(), 2u);
    namespace ol = opportunity_layout;
    EXPECT_EQ(ads[0][ol::AdId], "42");
    EXPECT_EQ(ads[0][ol::DomainLetter], "c");
    EXPECT_EQ(ads[0][ol::Company], "Firma SRL");
    EXPECT_EQ(ads[0][ol::Reserved], "");
    EXPECT_EQ(ads[0][ol::County], "CJ");
    EXPECT_EQ(ads[0][ol::Subject], "Vand");
    EXPECT_EQ(ads[0][ol::InsertDate], "2004-11-15");
    EXPECT_EQ(ads[0][ol::Description], description.substr(0, 255));
    EXPECT_EQ(ads[0][ol::AdType], "1");
    EXPECT_EQ(ads[0][ol::Representative], "Ion Pop");
    EXPECT_EQ(ads[0][ol::Phone], "0264");
    EXPECT_EQ(ads[0][ol::Fax], "0265");
    EXPECT_EQ(ads[0][ol::Email], "ion@firma.ro");
    EXPECT_EQ(ads[0][ol::Web], "www.firma.ro");
    for (const auto& field : ads[1]) {
        EXPECT_EQ(field, "");
    }
    EXPECT_EQ(progress.maxima, std::vector<int>{2});
    EXPECT_EQ(progress.positions, (std::vector<int>{0, 1}));
}

TEST(AppendOpportunities, AppendsAfterExistingRecordsAndAcceptsAnEmptyList)
{
    TempDir dir;
    RecordingProgress progress;
    AppendOpportunities(dir.path(), {}, progress);
    EXPECT_TRUE(fs::exists(dir / "bursa.db"));
    EXPECT_EQ(fs::file_size(dir / "bursa.db"), 0u);

    AppendOpportunities(dir.path(), {"1`a`"}, progress);
    // A torn tail left by some earlier crash is overwritten, not built upon.
    {
        std::ofstream out(dir / "bursa.db", std::ios::binary | std::ios::app);
        out << "torn";
    }
    const AdAppendReport report = AppendOpportunities(dir.path(), {"2`b`", "3`c`"}, progress);
    EXPECT_EQ(report.lines, 2u);
    EXPECT_EQ(report.appended, 2u);
    EXPECT_EQ(fs::file_size(dir / "bursa.db"), 3 * opportunity_layout::kRecordSize);

    EXPECT_EQ(LoadOpportunityIds(dir.path()), (std::vector<std::string>{"1", "2", "3"}));
}

TEST(AppendOpportunities, FailsOnAReadOnlyFileAndKeepsWholeRecordsWhenAWriteFails)
{
    TempDir dir;
    RecordingProgress progress;
    AppendOpportunities(dir.path(), {"1`a`"}, progress);

    fs::permissions(dir / "bursa.db", fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_THROW(AppendOpportunities(dir.path(), {"2`a`"}, progress), FileError);
    EXPECT_THROW(LoadOpportunityIds(dir.path()), FileError);
    fs::permissions(dir / "bursa.db", fs::perms::owner_write, fs::perm_options::add);

    {
        // Room for one more record and a bit: the second write breaks off.
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
        test::FileSizeLimit limit(2 * opportunity_layout::kRecordSize + 100);
        EXPECT_THROW(AppendOpportunities(dir.path(), {"2`a`", "3`a`", "4`a`"}, progress), FileError);
    }
    EXPECT_EQ(fs::file_size(dir / "bursa.db"), 2 * opportunity_layout::kRecordSize);
    EXPECT_EQ(LoadOpportunityIds(dir.path()), (std::vector<std::string>{"1", "2"}));
}

TEST(LoadOpportunityIds, AMissingFileIsAFileError)
{
    TempDir dir;
    EXPECT_THROW(LoadOpportunityIds(dir.path()), FileError);
}

TEST(LoadOpportunityIds, FindsTheFileWhateverTheCaseOfItsName)
{
    TempDir dir;
    RecordingProgress progress;
    AppendOpportunities(dir.path(), {"9`a`"}, progress);
    fs::rename(dir / "bursa.db", dir / "Bursa.DB");
    AppendOpportunities(dir.path(), {"10`a`"}, progress);
    EXPECT_EQ(test::NamesIgnoringCase(dir.path(), "bursa.db").size(), 1u) << "a second file was made";
    EXPECT_EQ(LoadOpportunityIds(dir.path()), (std::vector<std::string>{"9", "10"}));
}

// ------------------------------------------------------------------ companies

class ImportCompaniesTest : public ::testing::Test
{
protected:
    fs::path Database() const { return dir_ / "database.db"; }

    CompanyImportReport Import(const std::vector<std::string>& lines, Language language = Language::EN)
    {
        return ImportCompanies(dir_.path(), lines, progress_, language);
    }

    TempDir dir_;
    RecordingProgress progress_;
};

TEST_F(ImportCompaniesTest, MatchesNamesIgnoringTheCaseOfTheCodePageLetters)
{
    // Every letter pair of Windows-1250 in one name: capitals stored, small letters sent.
    std::string capitals = "\x8A\x8C\x8D\x8E\x8F\xA3\xA5\xAA\xAF\xBC";
    std::string smalls = "\x9A\x9C\x9D\x9E\x9F\xB3\xB9\xBA\xBF\xBE";
    for (int c = 0xC0; c <= 0xDE; ++c) {
        if (c != 0xD7) {
            capitals += static_cast<char>(c);
            smalls += static_cast<char>(c + 32);
        }
    }
    WriteCompanies(Database(), {Company("ALFA SRL"), Company("BETA SA"),
                                Company("\xDE"
                                        "ARA SRL"),
                                Company(capitals)});
    ASSERT_FALSE(Import({Line('!', Company("alfa srl", "CJ")), Line('!', Company("BETA SA ")),
                         Line('!', Company("\xFE"
                                           "ara srl")),
                         Line('!', Company(smalls))})
                     .databaseMissing);
    const auto companies = ReadCompanies(Database());
    // Only the trailing space makes another name; "ŢARA SRL" and "ţara srl"
    // are one company as "ALFA SRL" and "alfa srl" are.
    EXPECT_EQ(Names(companies), (std::vector<std::string>{"alfa srl", "BETA SA",
                                                          "\xFE"
                                                          "ara srl",
                                                          smalls, "BETA SA "}));
    EXPECT_EQ(companies[0][1], "CJ");
}

TEST_F(ImportCompaniesTest, BlanksInPlaceAndIgnoresUnknownNames)
{
    WriteCompanies(Database(), {Company("A"), Company("B"), Company("C")});
    const CompanyImportReport report = Import({Line('@', Company("nobody")), Line('@', Company("b"))});
    ASSERT_FALSE(report.databaseMissing);
    EXPECT_EQ(report.lines, 2u);
    EXPECT_EQ(report.blanked, 1u);
    EXPECT_EQ(report.added + report.replaced, 0u);
    const auto companies = ReadCompanies(Database());
    ASSERT_EQ(companies.size(), 3u);
    EXPECT_EQ(companies[0], Company("A"));
    EXPECT_EQ(companies[1], CompanyFields{});
    EXPECT_EQ(companies[2], Company("C"));
    // The unknown name did not move the gauge.
    EXPECT_EQ(progress_.positions, std::vector<int>{1});
}

TEST_F(ImportCompaniesTest, LaterLinesSeeWhatEarlierLinesAdded)
{
    WriteCompanies(Database(), {Company("A")});
    const CompanyImportReport report =
        Import({Line('!', Company("NEW", "B")), Line('!', Company("new", "CJ")), Line('!', Company("gone")),
                Line('@', Company("GONE")), Line('!', Company("Gone", "OT"))});
    ASSERT_FALSE(report.databaseMissing);
    EXPECT_EQ(report.added, 3u);
    EXPECT_EQ(report.replaced, 1u);
    EXPECT_EQ(report.blanked, 1u);
    const auto companies = ReadCompanies(Database());
    // The blanked record is not found again: the last line adds another.
    ASSERT_EQ(companies.size(), 4u);
    EXPECT_EQ(companies[1], Company("new", "CJ"));
    EXPECT_EQ(companies[2], CompanyFields{});
    EXPECT_EQ(companies[3], Company("Gone", "OT"));
}

TEST_F(ImportCompaniesTest, OnlyTheFirstOfDuplicateNamesIsTouchedUntilItIsBlanked)
{
    WriteCompanies(Database(), {Company("X", "B"), Company("x", "AB")});
    ASSERT_FALSE(
        Import({Line('!', Company("X", "CJ")), Line('@', Company("X")), Line('!', Company("X", "OT"))})
            .databaseMissing);
    const auto companies = ReadCompanies(Database());
    ASSERT_EQ(companies.size(), 2u);
    EXPECT_EQ(companies[0], CompanyFields{});
    EXPECT_EQ(companies[1], Company("X", "OT"));
}

TEST_F(ImportCompaniesTest, AnEmptyNameMatchesTheFirstBlankedRecord)
{
    WriteCompanies(Database(), {Company("A"), Company("B")});
    ASSERT_FALSE(
        Import({Line('@', Company("B")), Line('@', Company("A")), Line('!', Company(""))}).databaseMissing);
    const auto companies = ReadCompanies(Database());
    ASSERT_EQ(companies.size(), 2u);
    EXPECT_EQ(companies[0], Company(""));
    EXPECT_EQ(companies[1], CompanyFields{});

    // Blanking an earlier record gives the empty name a new first record:
    // the second line finds another record than the first did.
    WriteCompanies(Database(), {Company("A"), Company("B")});
    ASSERT_FALSE(Import({Line('@', Company("B")), Line('!', Company("", "1")), Line('@', Company("A")),
                         Line('!', Company("", "2"))})
                     .databaseMissing);
    EXPECT_EQ(ReadCompanies(Database()), (std::vector<CompanyFields>{Company("", "2"), Company("", "1")}));
}

TEST_F(ImportCompaniesTest, SkipsMalformedLines)
{
    WriteCompanies(Database(), {Company("A")});
    std::string thirteen = "!A`";
    for (int k = 0; k < 12; ++k) {
        thirteen += "x`";
    }
    ASSERT_FALSE(Import({thirteen, "!A`B`", "#" + Line('!', Company("A")).substr(1), "", "@`````````````"})
                     .databaseMissing);
    EXPECT_EQ(ReadCompanies(Database()), std::vector<CompanyFields>{Company("A")});
    EXPECT_TRUE(progress_.positions.empty());
}

TEST_F(ImportCompaniesTest, CutsFieldsToTheirWidthAndMatchesNamesAsTheRecordHoldsThem)
{
    WriteCompanies(Database(), {});
    CompanyFields longFields = Company(std::string(100, 'N'));
    longFields[1] = "ABCD";
    longFields[13] = std::string(300, 'd');
    CompanyFields cut = Company(std::string(80, 'n'), "XY");
    ASSERT_FALSE(Import({Line('!', cut), Line('!', longFields), Line('!', longFields)}).databaseMissing);
    const auto companies = ReadCompanies(Database());
    // The 100-character name is stored as its first 80, which the
    // 80-character name equals: one company, replaced by both long lines.
    ASSERT_EQ(companies.size(), 1u);
    EXPECT_EQ(companies[0][0], std::string(80, 'N'));
    EXPECT_EQ(companies[0][1], "AB");
    EXPECT_EQ(companies[0][13], std::string(200, 'd'));
}

TEST_F(ImportCompaniesTest, StatusCountsEveryLineInTheCurrentLanguage)
{
    WriteCompanies(Database(), {Company("A")});
    std::vector<std::string> lines(22, "junk");
    lines.push_back(Line('!', Company("B")));
    lines.push_back(Line('@', Company("A")));
    lines.push_back(Line('@', Company("unknown")));
    ASSERT_FALSE(Import(lines).databaseMissing);
    EXPECT_EQ(progress_.maxima, std::vector<int>{25});
    EXPECT_EQ(progress_.statuses, std::vector<std::string>{"25 companies profiles was updated."});

    ASSERT_FALSE(Import({}, Language::RO).databaseMissing);
    EXPECT_EQ(progress_.statuses.back(), "0 profile de companii au fost actualizate.");
}

TEST_F(ImportCompaniesTest, MissingDatabaseShowsTheBoxOnceAtTheFirstValidLine)
{
    ASSERT_FALSE(Import({"junk", "junk"}).databaseMissing);
    EXPECT_TRUE(progress_.boxes.empty());
    EXPECT_EQ(progress_.statuses, std::vector<std::string>{"2 companies profiles was updated."});

    progress_ = {};
    ASSERT_TRUE(Import({"junk", Line('!', Company("A")), Line('!', Company("B"))}).databaseMissing);
    EXPECT_EQ(progress_.boxes, std::vector<std::string>{"Database file does not exist"});
    EXPECT_TRUE(progress_.statuses.empty());
    EXPECT_TRUE(progress_.positions.empty());
    EXPECT_FALSE(fs::exists(Database()));
}

TEST_F(ImportCompaniesTest, FindsTheDatabaseWhateverTheCaseOfItsName)
{
    WriteCompanies(dir_ / "Database.db", {Company("A")});
    ASSERT_FALSE(Import({Line('!', Company("B"))}).databaseMissing);
    EXPECT_EQ(Names(ReadCompanies(dir_ / "Database.db")), (std::vector<std::string>{"A", "B"}));
}

TEST_F(ImportCompaniesTest, FileErrorsReachTheCallerAndKeepWhatWasApplied)
{
    WriteCompanies(Database(), {Company("A")});
    fs::permissions(Database(), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_THROW(Import({Line('!', Company("B"))}), FileError);
    EXPECT_TRUE(progress_.statuses.empty());
    fs::permissions(Database(), fs::perms::owner_write, fs::perm_options::add);

    {
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
        test::FileSizeLimit limit(2 * company_layout::kRecordSize + 100);
        EXPECT_THROW(
            Import({Line('!', Company("a", "CJ")), Line('!', Company("B")), Line('!', Company("C"))}),
            FileError);
    }
    EXPECT_TRUE(progress_.statuses.empty());
    const auto companies = ReadCompanies(Database());
    EXPECT_EQ(fs::file_size(Database()), 2 * company_layout::kRecordSize);
    EXPECT_EQ(companies, (std::vector<CompanyFields>{Company("a", "CJ"), Company("B")}));
}

// A disk that is full for a moment: one write stops short at `limit` bytes,
// the next fails, and after that there is room again. The signal the system
// sends for the failing write lifts the limit.
#ifndef _WIN32
class FullForAMoment
{
public:
    explicit FullForAMoment(rlim_t limit)
    {
        struct sigaction lift
        {
        };
        lift.sa_handler = [](int) {
            rlimit none{RLIM_INFINITY, RLIM_INFINITY};
            setrlimit(RLIMIT_FSIZE, &none);
        };
        sigaction(SIGXFSZ, &lift, &oldAction_);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit tight = old_;
        tight.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &tight);
    }
    ~FullForAMoment()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        sigaction(SIGXFSZ, &oldAction_, nullptr);
    }

private:
    rlimit old_{};
    struct sigaction oldAction_
    {
    };
};
#else
struct FullForAMoment
{
    explicit FullForAMoment(unsigned long long) {}
};
#endif

TEST_F(ImportCompaniesTest, AWriteThatFailsOnceAppliesNoLineTwice)
{
    WriteCompanies(Database(), {Company("A")});
    std::vector<std::string> lines{Line('!', Company("A", "CJ"))};
    for (int i = 0; i < 6; ++i) {
        lines.push_back(Line('!', Company("NEW " + std::to_string(i))));
    }
    {
        // Room for the first record and two and a half new ones.
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
        FullForAMoment disk(3 * company_layout::kRecordSize + company_layout::kRecordSize / 2);
        EXPECT_THROW(Import(lines), FileError);
    }
    EXPECT_TRUE(progress_.statuses.empty());
    EXPECT_EQ(fs::file_size(Database()) % company_layout::kRecordSize, 0u);
    EXPECT_EQ(ReadCompanies(Database()),
              (std::vector<CompanyFields>{Company("A", "CJ"), Company("NEW 0"), Company("NEW 1")}));
}

} // namespace
} // namespace dorvanta
