// Searches while another program cuts the file and makes it whole again (a
// copy over it, a restore from backup): every search ends with rows or with
// its read error, never with a signal.

#include "data/company_record.h"
#include "data/opportunity_record.h"
#include "data/record_file.h"
#include "search/company_search.h"
#include "search/opportunity_search.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace dorvanta {
namespace {

namespace fs = std::filesystem;

// A file of `count` records, named ones at its start and the rest deleted
// (all zero bytes, written as a hole so the file costs no time to make).
template <typename Record>
void MakeFile(const fs::path& path, std::size_t recordSize, std::uint64_t count, const Record& named)
{
    {
        RecordFile file(path, recordSize, RecordFile::Open::CreateIfMissing);
        for (int i = 0; i < 50; ++i) {
            file.Append(named.Encode().data());
        }
        file.Close();
    }
    fs::resize_file(path, count * recordSize);
}

// Cuts `path` to a tenth of its size and lets it grow back, over and over, until stopped.
class Shrinker
{
public:
    explicit Shrinker(fs::path path)
        : path_(std::move(path)), size_(fs::file_size(path_)), thread_([this] { Run(); })
    {
    }
    ~Shrinker()
    {
        stop_ = true;
        thread_.join();
        fs::resize_file(path_, size_);
    }

private:
    void Run()
    {
        while (!stop_) {
            fs::resize_file(path_, size_ / 10 + 123);
            std::this_thread::yield();
            fs::resize_file(path_, size_);
            std::this_thread::yield();
        }
    }

    fs::path path_;
    std::uint64_t size_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

void ExpectRowsOrReadError(const SearchResult& result)
{
    if (result.outcome == SearchOutcome::ReadError) {
        EXPECT_FALSE(result.errorMessage.empty());
    } else {
        EXPECT_EQ(result.outcome, SearchOutcome::Found);
        EXPECT_GE(result.rows.size(), 50u);
    }
}

TEST(SearchWhileTheFileChanges, EndsWithRowsOrTheReadErrorNeverASignal)
{
    test::TempDir dir;
    CompanyRecord company;
    company.Company = "FIRMA SRL";
    MakeFile(dir / "database.db", company_layout::kRecordSize, 200000, company);
    OpportunityRecord ad;
    ad.Subject = "Vand birouri";
    MakeFile(dir / "bursa.db", opportunity_layout::kRecordSize, 200000, ad);

    OpportunityCriteria keyword; // found in the named ads only, so every search reads the whole file
    keyword.keyword = "birouri";
    int readErrors = 0;
    {
        Shrinker companies(dir / "database.db");
        Shrinker ads(dir / "bursa.db");
        // Ten rounds at least, more until a cut was seen (on a loaded
        // machine the cuts may all fall between the searches for a while).
        for (int i = 0; i < 10 || (readErrors == 0 && i < 300); ++i) {
            const SearchResult found = SearchCompaniesInParts(dir.path(), {}, Language::EN, 1 + i % 3);
            ExpectRowsOrReadError(found);
            const SearchResult offers = SearchOpportunities(dir.path(), keyword, Language::RO);
            ExpectRowsOrReadError(offers);
            readErrors +=
                (found.outcome == SearchOutcome::ReadError) + (offers.outcome == SearchOutcome::ReadError);
        }
    }
    // The files were cut under most searches; some must have seen it.
    EXPECT_GT(readErrors, 0);
}

} // namespace
} // namespace dorvanta
