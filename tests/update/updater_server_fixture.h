#pragma once

// The update procedures with the real HTTP client against the publisher
// stand-in on 127.0.0.1: the fixture the server tests share.
#include "update/updater.h"

#include "data/record_file.h"
#include "import/record_import.h"
#include "support/publisher_stub.h"
#include "support/temp_dir.h"
#include "support/update_fakes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

namespace dorvanta::test {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

inline std::string Ad(const std::string& id)
{
    return id + "`b`Firma " + id + "`CJ`Subject`2005-01-01`Text`2`Ion`0264`0265`a@b.ro`www.b.ro`";
}

inline std::string CompanyLine(char prefix, const std::string& name)
{
    return std::string(1, prefix) + name + "`B`Str. 1`Ion`07``````a.c.21*s````about`";
}

const std::vector<bool> kAllGroups(10, true);
const char* const kAllGroupsTarget =
    "/ro/select_o.php?option=all&a1=1&a2=1&a3=1&a4=1&a5=1&a6=1&a7=1&a8=1&a9=1&a10=1";
const char* const kFiveErrors = "Errors occured while downloading informations. Please try again.";
const char* const kNoConnection = "Could not connect to web site.";

class UpdaterServerTest : public ::testing::Test
{
protected:
    UpdaterServerTest()
    {
        HttpOptions options;
        // A slow answer must fail within the test, not after a minute.
        options.lowSpeedWindow = 300ms;
        options.idle = [this] {
            if (onIdle) {
                onIdle();
            }
        };
        http_ = MakeCurlHttpClient(options);
        updater_ = std::make_unique<Updater>(
            dir_.path(), stub_.BaseUrl(), *http_, settings_, progress_,
            [] { return LocalDateTime{2005, 6, 7, 8, 9, 10}; }, [] { return Language::EN; });
        fs::create_directory(dir_ / "Internet");
    }

    std::vector<std::string> StoredIds() const
    {
        // A missing file holds no ads.
        try {
            return LoadOpportunityIds(dir_.path());
        } catch (const FileError&) {
            return {};
        }
    }

    void AddAds(const std::vector<std::string>& lines)
    {
        StatusProgress quiet;
        AppendOpportunities(dir_.path(), lines, quiet);
    }

    std::uintmax_t Size(const std::string& name) const { return fs::file_size(dir_ / name); }

    TempDir dir_;
    PublisherStub stub_;
    MemorySettings settings_;
    StatusProgress progress_;
    std::function<void()> onIdle;
    std::unique_ptr<HttpClient> http_;
    std::unique_ptr<Updater> updater_;
};

} // namespace dorvanta::test
