#include "publisher/ads.h"
#include "publisher/answers.h"
#include "publisher/days.h"
#include "publisher/master.h"
#include "publisher/register_ingest.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvanta::publisher {
namespace {

using test::TempDir;
using test::WriteBytes;

TEST(PublisherDays, CalendarDaysInBucharest)
{
    EXPECT_EQ(ParseDay("2024-02-29"), 20240229);
    for (const char* bad : {"2026-02-29", "2026-13-01", "2026-00-10", "2026-1-01", "20261201", "2026-12-01x",
                            "0999-01-01", "1 OR 1=1"}) {
        EXPECT_FALSE(ParseDay(bad)) << bad;
    }
    EXPECT_EQ(FormatDay(20000101), "2000-01-01");
    EXPECT_EQ(AddDays(20240228, 1), 20240229);
    EXPECT_EQ(AddDays(20270101, -1), 20261231);
    // 22:30 UTC is 00:30 of the next day in winter (UTC+2) and 01:30 in summer.
    EXPECT_EQ(BucharestDay(1774737000), 20260329); // 2026-03-28 22:30 UTC, winter
    EXPECT_EQ(BucharestDay(1782855000), 20260701); // 2026-06-30 21:30 UTC, summer
    EXPECT_EQ(BucharestDay(1792877400), 20261025); // 2026-10-24 21:30 UTC, still summer
    EXPECT_EQ(BucharestDay(1793050200), 20261026); // 2026-10-26 21:30 UTC, winter again: 23:30
    EXPECT_EQ(BucharestDay(1798754400), 20270101); // 2026-12-31 22:00 UTC
}

TEST(PublisherQuery, DecodesWithoutTurningPlusIntoSpace)
{
    const auto query = ParseQuery("option=one&id=%2042+1");
    ASSERT_TRUE(query);
    EXPECT_EQ(query->at("id"), " 42+1");
    for (const char* bad : {"id=1&id=2", "id", "id=%4", "id=%G1", "=1"}) {
        EXPECT_FALSE(ParseQuery(bad)) << bad;
    }
}

class PublisherMaster : public ::testing::Test
{
protected:
    // A snapshot of named companies: registration, name; and the
    // registrations struck off.
    std::filesystem::path Snapshot(const std::string& name,
                                   const std::vector<std::pair<std::string, std::string>>& companies,
                                   const std::vector<std::string>& struckOff = {})
    {
        const auto folder = dir_ / name;
        std::filesystem::create_directories(folder);
        std::string firms = "DENUMIRE^CUI^COD_INMATRICULARE^DATA_INMATRICULARE^ADR_JUDET^ADR_LOCALITATE\n";
        int cui = 100;
        for (const auto& [registration, company] : companies) {
            firms +=
                company + "^" + std::to_string(++cui) + "^" + registration + "^01/02/2010^Cluj^Cluj-Napoca\n";
        }
        WriteBytes(folder / "OD_FIRME.CSV", firms);
        std::string states = "COD_INMATRICULARE^COD\n";
        for (const std::string& registration : struckOff) {
            states += registration + "^1049\n";
        }
        WriteBytes(folder / "OD_STARE_FIRMA.CSV", states);
        return folder;
    }

    // "!NAME" or "@NAME" of each line of the answer for `day`.
    std::vector<std::string> Answer(std::int32_t day)
    {
        CompanyAnswer answer(OpenMasterForReading(dir_.path() / "root"), day);
        std::string body;
        while (answer.Fill(body, 1 << 20)) {
        }
        std::vector<std::string> names;
        for (std::size_t start = 0; start < body.size();) {
            const std::size_t end = body.find('\n', start);
            const std::string line = body.substr(start, end - start);
            names.push_back(line.substr(0, line.find('`')));
            start = end + 1;
        }
        return names;
    }

    TempDir dir_;
};

TEST_F(PublisherMaster, IngestRecordsEachChangeOnceWithItsDay)
{
    Master master(dir_.path() / "root");
    const auto first =
        Snapshot("a", {{"J1/1/2010", "ALFA SRL"}, {"J1/2/2010", "BETA SRL"}, {"J1/3/2010", "GAMA SRL"}});
    EXPECT_EQ(IngestRegister(master, first, 20261101).changed, 3);
    const IngestOutcome again = IngestRegister(master, first, 20261102);
    EXPECT_EQ(again.changed + again.blanked + again.removed, 0);

    // BETA renamed, GAMA struck off, DELTA new, OMEGA struck off before it
    // was ever published.
    const auto second = Snapshot("b",
                                 {{"J1/1/2010", "ALFA SRL"},
                                  {"J1/2/2010", "BETA NOU SRL"},
                                  {"J1/3/2010", "GAMA SRL"},
                                  {"J1/4/2010", "DELTA SRL"},
                                  {"J1/5/2010", "OMEGA SRL"}},
                                 {"J1/3/2010", "J1/5/2010"});
    const IngestOutcome outcome = IngestRegister(master, second, 20261201);
    EXPECT_EQ(outcome.changed, 2);
    EXPECT_EQ(outcome.blanked, 2);
    EXPECT_EQ(outcome.removed, 1);

    using Names = std::vector<std::string>;
    // A fresh install gets the directory as it is, nothing to blank.
    EXPECT_EQ(Answer(20000101), (Names{"!ALFA SRL", "!BETA NOU SRL", "!DELTA SRL"}));
    // A client that may hold the old names is told to blank them, before the new lines of that day.
    EXPECT_EQ(Answer(20261101),
              (Names{"!ALFA SRL", "@BETA SRL", "@GAMA SRL", "!BETA NOU SRL", "!DELTA SRL"}));
    EXPECT_EQ(Answer(20261120), (Names{"@BETA SRL", "@GAMA SRL", "!BETA NOU SRL", "!DELTA SRL"}));
    // With a day's margin for the client's clock: the day before is sent again.
    EXPECT_EQ(Answer(20261202), (Names{"@BETA SRL", "@GAMA SRL", "!BETA NOU SRL", "!DELTA SRL"}));
    EXPECT_EQ(Answer(20261203), Names{});

    EXPECT_THROW(IngestRegister(master, first, 20261130), Refused);
    // GAMA back: its blanking line goes, its line comes.
    IngestRegister(master, first, 20261210);
    EXPECT_EQ(Answer(20261210), (Names{"@BETA NOU SRL", "@DELTA SRL", "!BETA SRL", "!GAMA SRL"}));
}

TEST_F(PublisherMaster, AdsGetFreeNumbersAndAFileIsTakenWhole)
{
    Master master(dir_.path() / "root");
    const auto ad = [](const std::string& id, const std::string& group) {
        return id + "`" + group +
               "`Firma SRL`CJ`Vând mere`2026-12-01`Mere`1`Ion`0721`-`ion@firma.ro`firma.ro`\n";
    };
    WriteBytes(dir_ / "ads1.txt", ad("", "a") + ad("77", "b"));
    EXPECT_EQ(AddAds(master, dir_ / "ads1.txt").ids, (std::vector<std::string>{"1", "77"}));
    WriteBytes(dir_ / "ads2.txt", ad("", "c") + ad("", "k"));
    EXPECT_THROW(AddAds(master, dir_ / "ads2.txt"), Refused);
    WriteBytes(dir_ / "ads3.txt", ad("", "c"));
    EXPECT_EQ(AddAds(master, dir_ / "ads3.txt").ids, std::vector<std::string>{"78"});

    const auto db = OpenMasterForReading(dir_.path() / "root");
    EXPECT_EQ(IdListAnswer(*db, {'a', 'b', 'c'}), "78\n77\n1\n");
    EXPECT_EQ(IdListAnswer(*db, {'b'}), "77\n");
    // Windows-1250 bytes: "â" is 0xE2.
    EXPECT_EQ(AdAnswer(*db, "77"),
              "77`b`Firma SRL`CJ`V\xE2nd mere`2026-12-01`Mere`1`Ion`0721`-`ion@firma.ro`firma.ro`\n");
    RemoveAd(master, "77");
    EXPECT_FALSE(AdAnswer(*db, "77"));
    EXPECT_THROW(RemoveAd(master, "77"), Refused);
}

} // namespace
} // namespace dorvanta::publisher
