// What two updates at once, a stopped update and a silent file host leave
// in Temp/ and Internet/.
#include "data/in_flight_file.h"
#include "update/updater_server_fixture.h"

#include <set>
#include <thread>

namespace dorvanta {
namespace {

using namespace test;
using Fault = PublisherStub::Fault;

std::set<std::string> Names(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

TEST_F(UpdaterServerTest, TwoRefreshesAtOnceInstallEachFileWithItsOwnBytes)
{
    stub_.SetManifest("!1;x.htm;" + stub_.BaseUrl() + "/files/x.htm\n!1;y.htm;" + stub_.BaseUrl() +
                      "/files/y.htm\n");
    stub_.SetFile("/files/x.htm", std::string(3000, 'x'));
    stub_.SetFile("/files/y.htm", std::string(2000, 'y'));
    stub_.SetFault("/files/", Fault::Slow, 200ms);
    // The second program starts while the first downloads x.htm; it has
    // settings of its own, so it fetches both files as well.
    MemorySettings otherSettings;
    StatusProgress otherProgress;
    std::thread other;
    onIdle = [&] {
        if (!other.joinable() && stub_.DecodedTargets().size() >= 2) {
            other = std::thread([&] {
                const auto http = MakeCurlHttpClient();
                Updater second(
                    dir_.path(), stub_.BaseUrl(), *http, otherSettings, otherProgress,
                    [] { return LocalDateTime{2005, 6, 7, 8, 9, 10}; }, [] { return Language::EN; });
                EXPECT_EQ(second.RefreshInternetFiles().installed, 2u);
            });
        }
    };

    EXPECT_EQ(updater_->RefreshInternetFiles().installed, 2u);
    ASSERT_TRUE(other.joinable());
    other.join();

    EXPECT_EQ(ReadBytes(dir_ / "Internet" / "x.htm"), std::string(3000, 'x'));
    EXPECT_EQ(ReadBytes(dir_ / "Internet" / "y.htm"), std::string(2000, 'y'));
    EXPECT_EQ(Names(dir_ / "Temp"), std::set<std::string>{"refresh.lock"});
}

TEST_F(UpdaterServerTest, LeftoversOfStoppedUpdatesGoButARunningUpdatesFilesStay)
{
    WriteBytes(dir_ / "database.db", "");
    fs::create_directory(dir_ / "Temp");
    WriteBytes(dir_ / "Temp" / "companies-1.tmp", std::string(5000, '!'));
    WriteBytes(dir_ / "Temp" / "download-2.tmp", "half a page");
    WriteBytes(dir_ / "Temp" / "temp.tmp", "the shared name of old");
    // Another program's update, still running.
    InFlightFile answer(dir_ / "Temp", "companies-", ".tmp");
    InFlightFile download(dir_ / "Temp", "download-", ".tmp");
    stub_.SetCompanyAnswer(test::CompanyLine('!', "A"));
    stub_.SetManifest("");
    stub_.SetIdList("!");

    EXPECT_EQ(updater_->UpdateCompanies(), UpdateOutcome::Done);
    EXPECT_EQ(updater_->UpdateAds(kAllGroups), UpdateOutcome::NoNewAds);

    EXPECT_EQ(Names(dir_ / "Temp"), (std::set<std::string>{"refresh.lock", answer.path().filename().string(),
                                                           download.path().filename().string()}));
}

TEST_F(UpdaterServerTest, ASilentFileHostIsGivenUpAfterThreeTimeOutsAndTheAdsGoOn)
{
    std::string manifest;
    for (int i = 1; i <= 8; ++i) {
        const std::string name = "f" + std::to_string(i) + ".htm";
        manifest += "!1;" + name + ";" + stub_.BaseUrl() + "/files/" + name + "\n";
        stub_.SetFile("/files/" + name, "page");
    }
    stub_.SetManifest(manifest);
    // One that fails at once does not count: only time-outs in a row do.
    stub_.SetFault("/files/", Fault::Trickle, 100ms);
    stub_.SetFault("/files/f2.htm", Fault::NotFound);
    stub_.SetIdList("!");

    EXPECT_EQ(updater_->UpdateAds(kAllGroups), UpdateOutcome::NoNewAds);

    const auto targets = stub_.DecodedTargets();
    ASSERT_EQ(targets.size(), 7u); // the manifest, f1 to f5, the identifier list
    EXPECT_EQ(targets[5], "/files/f5.htm");
    EXPECT_EQ(targets.back(), kAllGroupsTarget);
}

} // namespace
} // namespace dorvanta
