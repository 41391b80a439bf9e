// The update procedures with the real HTTP client against the publisher
// stand-in on 127.0.0.1: what goes over the wire, and what a misbehaving
// server leaves behind.
#include "update/updater.h"

#include "data/record_file.h"
#include "data/record_layout.h"
#include "support/publisher_stub.h"
#include "support/temp_dir.h"
#include "support/update_fakes.h"
#include "import/record_import.h"
#include "update/updater_server_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

namespace dorvanta {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace test;
using Fault = PublisherStub::Fault;

TEST_F(UpdaterServerTest, OneBusinessAdsUpdateSendsExactlyTheseRequests)
{
    settings_.WriteString(kInternetSettingsKey, "same.htm", "2");
    settings_.WriteString(kInternetSettingsKey, "banner.swf", "2");
    WriteBytes(dir_ / "Internet" / "banner.swf", "old banner");
    stub_.SetManifest("!2;same.htm;" + stub_.BaseUrl() + "/files/same.htm\r\n" + //
                      "!3;banner.swf;" + stub_.BaseUrl() + "/files/banner.swf\r\n" + "!1;companies_EN.htm;" +
                      stub_.BaseUrl() + "/files/start.htm?lang=en;v=1\r\n");
    stub_.SetFile("/files/banner.swf", "new banner");
    stub_.SetFile("/files/start.htm", "<html>start</html>");
    AddAds({Ad("7")});
    stub_.SetIdList("1\r\n 42\r\n7\r\n");
    stub_.SetAd("1", Ad("1") + "\r\n");
    stub_.SetAd(" 42", Ad("42"));

    EXPECT_EQ(updater_->UpdateAds(kAllGroups), UpdateOutcome::Done);

    EXPECT_EQ(stub_.DecodedTargets(),
              (std::vector<std::string>{"/ro/update.txt", "/files/banner.swf", "/files/start.htm?lang=en;v=1",
                                        kAllGroupsTarget, "/ro/select_o.php?option=one&id=1",
                                        "/ro/select_o.php?option=one&id= 42"}));
    const auto requests = stub_.Requests();
    EXPECT_EQ(requests.back().target, "/ro/select_o.php?option=one&id=%2042");
    for (const auto& request : requests) {
        EXPECT_EQ(request.method, "GET");
        EXPECT_EQ(request.Header("Accept"), "text/html, */*");
        EXPECT_EQ(request.Header("User-Agent"), "Mozilla/3.0 (compatible; Indy Library)");
    }
    EXPECT_EQ(ReadBytes(dir_ / "Internet" / "banner.swf"), "new banner");
    EXPECT_EQ(ReadBytes(dir_ / "Internet" / "companies_EN.htm"), "<html>start</html>");
    EXPECT_EQ(settings_.Version("banner.swf"), "3");
    EXPECT_EQ(settings_.Version("companies_EN.htm"), "1");
    EXPECT_EQ(StoredIds(), (std::vector<std::string>{"7", "1", "42"}));
    EXPECT_EQ(progress_.status, "2 records was added. Your database is updated.");
    EXPECT_EQ(progress_.shown, 1);
    EXPECT_EQ(progress_.hidden, 1);
}

TEST_F(UpdaterServerTest, OneCompanyUpdateSendsOneRequestWithTheDate)
{
    WriteBytes(dir_ / "database.db", "");
    settings_.WriteBinary(kSettingsKey, kLastUpdateValue, OleDateBytes(ToOleDate({2004, 11, 15, 9, 0, 0})));
    stub_.SetCompanyAnswer(test::CompanyLine('!', "ALFA") + "\r\n" + test::CompanyLine('!', "alfa") + "\r\n");

    EXPECT_EQ(updater_->UpdateCompanies(), UpdateOutcome::Done);

    const auto requests = stub_.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, "/ro/select_c.php?LastUpdate=2004-11-15");
    EXPECT_EQ(requests[0].Header("Accept"), "text/html, */*");
    EXPECT_EQ(requests[0].Header("User-Agent"), "Mozilla/3.0 (compatible; Indy Library)");
    EXPECT_EQ(Size("database.db"), company_layout::kRecordSize);
    EXPECT_EQ(progress_.status, "2 companies profiles was updated.");
    EXPECT_EQ(settings_.LastUpdate(), OleDateBytes(ToOleDate({2005, 6, 7, 8, 9, 10})));
}

TEST_F(UpdaterServerTest, ABrokenIdentifierListLeavesTheAdsAlone)
{
    AddAds({Ad("1")});
    const std::string before = ReadBytes(dir_ / "bursa.db");
    stub_.SetIdList("2\r\n3\r\n");
    for (const Fault fault : {Fault::Status500, Fault::DropMidBody, Fault::Slow, Fault::NotFound}) {
        stub_.SetFault("/ro/select_o.php?option=all", fault, 2s);
        progress_.status.clear();
        EXPECT_EQ(updater_->UpdateAds(kAllGroups), UpdateOutcome::ConnectionFailed);
        EXPECT_EQ(progress_.status, kNoConnection);
        EXPECT_EQ(ReadBytes(dir_ / "bursa.db"), before);
    }
    for (const auto& target : stub_.DecodedTargets()) {
        EXPECT_EQ(target.find("option=one"), std::string::npos) << target;
    }
}

TEST_F(UpdaterServerTest, AGarbageIdentifierListIsJustAnOddIdentifier)
{
    stub_.SetFault("/ro/select_o.php?option=all", Fault::Garbage);
    const std::string& garbage = PublisherStub::GarbageBody();

    const UpdateOutcome outcome = updater_->UpdateAds(kAllGroups);

    const auto targets = stub_.DecodedTargets();
    if (garbage[0] == '!') {
        EXPECT_EQ(outcome, UpdateOutcome::NoNewAds);
    } else {
        // The whole body is one line, so one identifier of 4096 odd bytes. The
        // stand-in refuses a request target that long, as real servers do;
        // the update ends with errors and appends nothing.
        EXPECT_EQ(targets.size(), 2u);
        EXPECT_EQ(outcome, UpdateOutcome::DownloadErrors);
        EXPECT_EQ(progress_.status, kFiveErrors);
        EXPECT_EQ(Size("bursa.db"), 0u);
    }
}

TEST_F(UpdaterServerTest, OddIdentifiersReachTheServerExactly)
{
    const std::vector<std::string> odd = {"a#b", "%41", "\xE2\xEE", "x y\t", "\"<^>\""};
    std::string list;
    for (const auto& id : odd) {
        list += id + "\r\n";
        stub_.SetAd(id, Ad("ok"));
    }
    stub_.SetIdList(list);

    EXPECT_EQ(updater_->UpdateAds(kAllGroups), UpdateOutcome::Done);

    const auto targets = stub_.DecodedTargets();
    ASSERT_EQ(targets.size(), 2 + odd.size());
    for (std::size_t i = 0; i < odd.size(); ++i) {
        EXPECT_EQ(targets[2 + i], "/ro/select_o.php?option=one&id=" + odd[i]);
    }
    EXPECT_EQ(StoredIds().size(), odd.size());
}

TEST_F(UpdaterServerTest, AdsThatFailKeepTheOthersAndTheFileWhole)
{
    AddAds({Ad("0")});
    stub_.SetIdList("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n");
    for (const char* id : {"1", "2", "3", "4", "5", "6"}) {
        stub_.SetAd(id, Ad(id));
    }
    stub_.SetFault("/ro/select_o.php?option=one&id=2", Fault::Status500);
    stub_.SetFault("/ro/select_o.php?option=one&id=3", Fault::DropMidBody);
    stub_.SetFault("/ro/select_o.php?option=one&id=4", Fault::Slow, 3s);
    stub_.SetFault("/ro/select_o.php?option=one&id=5", Fault::Garbage);

    EXPECT_EQ(updater_->UpdateAds(kAllGroups), UpdateOutcome::DownloadErrors);

    EXPECT_EQ(progress_.status, kFiveErrors);
    EXPECT_EQ(stub_.DecodedTargets().size(), 8u);
    // The garbage answer came with status 200, so it is an ad like any other.
    const auto ids = StoredIds();
    ASSERT_EQ(ids.size(), 4u);
    EXPECT_EQ(ids[0], "0");
    EXPECT_EQ(ids[1], "1");
    EXPECT_EQ(ids[3], "6");
    EXPECT_EQ(Size("bursa.db"), 4 * opportunity_layout::kRecordSize);
    EXPECT_EQ(progress_.hidden, 1);
}

TEST_F(UpdaterServerTest, TwoUpdatesAtOnceAddEachNewAdOnce)
{
    AddAds({Ad("0")});
    stub_.SetIdList("0\r\n1\r\n2\r\n");
    for (const char* id : {"1", "2"}) {
        stub_.SetAd(id, Ad(id));
    }
    // A second update runs to its end while the first downloads its ads:
    // both read the same held identifiers before either appended.
    const auto otherHttp = MakeCurlHttpClient();
    StatusProgress otherProgress;
    Updater other(
        dir_.path(), stub_.BaseUrl(), *otherHttp, settings_, otherProgress,
        [] { return LocalDateTime{2005, 6, 7, 8, 9, 10}; }, [] { return Language::EN; });
    bool otherRan = false;
    onIdle = [&] {
        if (!otherRan && stub_.DecodedTargets().size() >= 3) { // the first ad request is on its way
            otherRan = true;
            EXPECT_EQ(other.UpdateAds(kAllGroups), UpdateOutcome::Done);
        }
    };

    EXPECT_EQ(updater_->UpdateAds(kAllGroups), UpdateOutcome::Done);

    ASSERT_TRUE(otherRan);
    EXPECT_EQ(otherProgress.status, "2 records was added. Your database is updated.");
    EXPECT_EQ(progress_.status, "0 records was added. Your database is updated.");
    EXPECT_EQ(StoredIds(), (std::vector<std::string>{"0", "1", "2"}));
}

TEST_F(UpdaterServerTest, AnAuxiliaryFileThatBreaksOffKeepsTheOldOne)
{
    settings_.WriteString(kInternetSettingsKey, "a.htm", "1");
    WriteBytes(dir_ / "Internet" / "a.htm", "old a");
    stub_.SetManifest("!2;a.htm;" + stub_.BaseUrl() + "/files/a.htm\n!2;b.htm;" + stub_.BaseUrl() +
                      "/files/b.htm\n");
    stub_.SetFile("/files/a.htm", std::string(100000, 'a'));
    stub_.SetFile("/files/b.htm", "b");
    stub_.SetFault("/files/a.htm", Fault::DropMidBody);
    stub_.SetIdList("!\r\n");

    EXPECT_EQ(updater_->UpdateAds(kAllGroups), UpdateOutcome::NoNewAds);

    EXPECT_EQ(ReadBytes(dir_ / "Internet" / "a.htm"), "old a");
    EXPECT_EQ(settings_.Version("a.htm"), "1");
    EXPECT_EQ(ReadBytes(dir_ / "Internet" / "b.htm"), "b");
    EXPECT_EQ(settings_.Version("b.htm"), "2");
    EXPECT_FALSE(fs::exists(dir_ / "Temp" / "temp.tmp"));

    // A manifest that cannot be fetched does not stop the update.
    stub_.SetFault("/ro/update.txt", Fault::Status500);
    EXPECT_EQ(updater_->UpdateAds(kAllGroups), UpdateOutcome::NoNewAds);
    EXPECT_EQ(stub_.DecodedTargets().back(), kAllGroupsTarget);
}

TEST_F(UpdaterServerTest, ABrokenCompanyAnswerChangesNothing)
{
    WriteBytes(dir_ / "database.db", "");
    StatusProgress quiet;
    ImportCompanies(dir_.path(), {test::CompanyLine('!', "KEPT")}, quiet, Language::EN);
    const std::string before = ReadBytes(dir_ / "database.db");
    const auto lastUpdate = OleDateBytes(ToOleDate({2004, 11, 15, 9, 0, 0}));
    settings_.WriteBinary(kSettingsKey, kLastUpdateValue, lastUpdate);
    stub_.SetCompanyAnswer(test::CompanyLine('@', "KEPT") + "\r\n" + std::string(5000, 'x'));

    for (const Fault fault : {Fault::Status500, Fault::DropMidBody, Fault::Slow, Fault::NotFound}) {
        stub_.SetFault("/ro/select_c.php", fault, 2s);
        progress_.status.clear();
        EXPECT_EQ(updater_->UpdateCompanies(), UpdateOutcome::ConnectionFailed);
        EXPECT_EQ(progress_.status, kNoConnection);
        EXPECT_EQ(ReadBytes(dir_ / "database.db"), before);
        EXPECT_EQ(settings_.LastUpdate(), lastUpdate);
        EXPECT_TRUE(fs::is_empty(dir_ / "Temp")) << "the partial answer was left behind";
    }
    EXPECT_EQ(progress_.shown, progress_.hidden);
}

TEST_F(UpdaterServerTest, ACompanyAnswerLargerThanTheBodyLimitIsAppliedWhole)
{
    // The first update of a fresh install receives the whole directory.
    WriteBytes(dir_ / "database.db", "");
    constexpr int kLines = 23'000;
    constexpr int kNames = 1000;
    std::string answer;
    answer.reserve(std::size_t{kLines} * 3100);
    for (int i = 0; i < kLines; ++i) {
        // Each name comes back every kNames lines: the last of its lines wins.
        answer += "!FIRMA " + std::to_string(i % kNames) + "`B`Str. 1`Ion`07``````a.c.21*s```line " +
                  std::to_string(i) + std::string(3000, '.') + "`\r\n";
    }
    ASSERT_GT(answer.size(), HttpOptions{}.maxBodyBytes);
    stub_.SetCompanyAnswer(std::move(answer));
    // The stand-in takes a while to copy so large an answer before it sends a byte.
    HttpOptions patient;
    patient.lowSpeedWindow = 10s;
    http_ = MakeCurlHttpClient(patient);
    updater_ = std::make_unique<Updater>(
        dir_.path(), stub_.BaseUrl(), *http_, settings_, progress_,
        [] { return LocalDateTime{2005, 6, 7, 8, 9, 10}; }, [] { return Language::EN; });

    EXPECT_EQ(updater_->UpdateCompanies(), UpdateOutcome::Done) << updater_->LastError();

    EXPECT_EQ(progress_.status, std::to_string(kLines) + " companies profiles was updated.");
    ASSERT_EQ(Size("database.db"), kNames * company_layout::kRecordSize);
    RecordFile file(dir_ / "database.db", company_layout::kRecordSize);
    std::array<std::uint8_t, company_layout::kRecordSize> record{};
    for (const int name : {0, 1, kNames - 1}) {
        ASSERT_TRUE(file.Read(static_cast<std::uint64_t>(name), record.data()));
        EXPECT_EQ(ReadField(record.data(), company_layout::kFields[company_layout::Company]),
                  "FIRMA " + std::to_string(name));
        const std::string description =
            ReadField(record.data(), company_layout::kFields[company_layout::Description]);
        EXPECT_EQ(description.substr(0, description.find('.')),
                  "line " + std::to_string(kLines - kNames + name));
    }
    EXPECT_TRUE(settings_.LastUpdate());
    EXPECT_TRUE(fs::is_empty(dir_ / "Temp"));
}

TEST_F(UpdaterServerTest, ThreeAdRequestsTimedOutInARowEndTheAsking)
{
    stub_.SetIdList("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n");
    for (const char* id : {"1", "2", "3", "4", "5", "6", "7", "8", "9"}) {
        stub_.SetAd(id, Ad(id));
    }
    // Two in a row, an answer, then three in a row: the asking stops there.
    for (const char* id : {"1", "2", "4", "5", "6"}) {
        stub_.SetFault(std::string("/ro/select_o.php?option=one&id=") + id, Fault::Trickle, 100ms);
    }

    EXPECT_EQ(updater_->UpdateAds(kAllGroups), UpdateOutcome::DownloadErrors);

    EXPECT_EQ(progress_.status, kFiveErrors);
    const auto targets = stub_.DecodedTargets();
    ASSERT_EQ(targets.size(), 8u); // the manifest, the identifier list and ads 1 to 6
    EXPECT_EQ(targets.back(), "/ro/select_o.php?option=one&id=6");
    EXPECT_EQ(StoredIds(), std::vector<std::string>{"3"}); // what arrived is kept
}

TEST_F(UpdaterServerTest, AGarbageCompanyAnswerIsOneLine)
{
    WriteBytes(dir_ / "database.db", "");
    stub_.SetFault("/ro/select_c.php", Fault::Garbage);
    EXPECT_EQ(updater_->UpdateCompanies(), UpdateOutcome::Done);
    EXPECT_EQ(progress_.status, "1 companies profiles was updated.");
    EXPECT_EQ(Size("database.db") % company_layout::kRecordSize, 0u);
    EXPECT_LE(Size("database.db"), company_layout::kRecordSize);
    EXPECT_TRUE(settings_.LastUpdate());
}

TEST_F(UpdaterServerTest, UpdateCommandsAreRefusedWhileARequestWaits)
{
    WriteBytes(dir_ / "database.db", "");
    stub_.SetCompanyAnswer("");
    stub_.SetFault("/ro/select_c.php", Fault::Slow, 150ms);
    std::vector<UpdateOutcome> nested;
    onIdle = [&] {
        if (nested.empty()) {
            nested.push_back(updater_->UpdateAds(kAllGroups));
            nested.push_back(updater_->UpdateCompanies());
        }
    };

    EXPECT_EQ(updater_->UpdateCompanies(), UpdateOutcome::Done);

    EXPECT_EQ(nested, (std::vector<UpdateOutcome>{UpdateOutcome::Refused, UpdateOutcome::Refused}));
    EXPECT_EQ(stub_.Requests().size(), 1u);
    EXPECT_EQ(progress_.shown, 1);
    EXPECT_EQ(progress_.hidden, 1);
}

} // namespace
} // namespace dorvanta
