// Arbitrary bytes as database.db or bursa.db (the first byte chooses which),
// read the ways the program reads them: record by record and in blocks,
// searched and shown as a page. A damaged file must never make a reader go
// past a field or a record, and every record must survive a write and a read.
#include "data/company_record.h"
#include "data/opportunity_record.h"
#include "data/record_file.h"
#include "pages/pages.h"
#include "search/company_search.h"
#include "search/opportunity_search.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <tuple>

namespace fs = std::filesystem;
using namespace dorvanta;

namespace {

// A folder of our own for the run, removed when the run ends.
struct RunFolder
{
    fs::path path = fs::temp_directory_path() / ("dorvanta-fuzz-" + std::to_string(std::random_device{}()));
    RunFolder() { fs::create_directories(path); }
    ~RunFolder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

const fs::path& Folder()
{
    static const RunFolder folder;
    return folder.path;
}

template <typename Record, std::size_t N>
void ReadAll(const fs::path& path, const std::array<FieldLayout, N>& fields)
{
    RecordFile file(path, std::tuple_size_v<typename Record::Raw>);
    ForEachRecord(file, [&fields](std::uint64_t, const std::uint8_t* raw) {
        const Record record = Record::Decode(raw);
        if (!(Record::Decode(record.Encode().data()) == record)) {
            std::abort();
        }
        for (const FieldLayout& field : fields) {
            StoredLastChar(raw, field);
        }
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const bool companies = (data[0] & 1) == 0;
    const fs::path path = Folder() / (companies ? kCompanyFileName : kOpportunityFileName);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));

    if (companies) {
        ReadAll<CompanyRecord>(path, company_layout::kFields);
        SearchCompanies(Folder(), CompanyCriteria{}, Language::EN);
        SearchCompanies(Folder(), CompanyCriteria{"a", "b", "s", {"a.c.21"}}, Language::RO);
        CompanyPage(Folder(), 0, Language::EN, CategoryTable::Builtin());
    } else {
        ReadAll<OpportunityRecord>(path, opportunity_layout::kFields);
        SearchOpportunities(Folder(), OpportunityCriteria{}, Language::EN);
        SearchOpportunities(Folder(), OpportunityCriteria{"a", "b", "c", "1"}, Language::RO);
        BannerNumbers banners;
        OpportunityPage(Folder(), 0, Language::EN, OpportunityDomainList(Language::EN), banners);
    }
    return 0;
}
