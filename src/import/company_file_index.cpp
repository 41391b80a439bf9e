#include "import/company_file_index.h"

#include "data/field_case.h"
#include "data/record_layout.h"
#include "import/background_job.h"

#include <array>
#include <cstddef>
#include <string_view>
#include <thread>

namespace dorvanta {

namespace {

// A record of database.db that holds a name some line looks for.
struct NameHolder
{
    std::uint64_t number;
    CompanyNameIndex::Id id;
};

// Whether a record with an empty name has some other field that is not empty.
bool IsCutBlanking(const std::uint8_t* record)
{
    for (std::size_t k = company_layout::Company + 1; k < company_layout::FieldCount; ++k) {
        if (record[company_layout::kFields[k].offset] != 0) {
            return true;
        }
    }
    return false;
}

// The records in [begin, end) that hold a name of `index`, in file order,
// and into `cut` the cut blankings among them. Only reads the index, so that
// two parts of the file can be read at once.
std::vector<NameHolder> FindNameHolders(const RecordFile& file, const CompanyNameIndex& index,
                                        std::uint64_t begin, std::uint64_t end,
                                        std::vector<std::uint64_t>& cut)
{
    const FieldLayout& field = company_layout::kFields[company_layout::Company];
    static_assert(company_layout::kFields[company_layout::Company].maxLength % 8 == 0,
                  "names are read in whole words");
    // The names are looked up a few dozen at a time: their places in the
    // table are asked for first, so the cache misses overlap instead of
    // coming one after the other.
    struct Candidate
    {
        std::uint64_t number;
        std::uint64_t hash;
        std::size_t length;
        char key[company_layout::kFields[company_layout::Company].maxLength];
    };
    constexpr std::size_t kBatch = 32;
    std::array<Candidate, kBatch> batch;
    std::size_t waiting = 0;
    std::vector<NameHolder> holders;
    const auto lookUpWaiting = [&] {
        for (std::size_t i = 0; i < waiting; ++i) {
            index.PrefetchEntry(batch[i].hash);
        }
        for (std::size_t i = 0; i < waiting; ++i) {
            const CompanyNameIndex::Id id =
                index.IdOf(std::string_view(batch[i].key, batch[i].length), batch[i].hash);
            if (id != CompanyNameIndex::kNoId) {
                holders.push_back(NameHolder{batch[i].number, id});
            }
        }
        waiting = 0;
    };
    ForEachRecordIn(file, begin, end, [&](std::uint64_t number, const std::uint8_t* record) {
        const std::size_t length = FieldLength(record, field);
        if (length == 0 && IsCutBlanking(record)) {
            cut.push_back(number);
        }
        if (!index.MayHoldLength(length)) {
            return;
        }
        Candidate& candidate = batch[waiting];
        UnscrambleUpper(record + field.offset + 1, length, candidate.key);
        candidate.number = number;
        candidate.length = length;
        candidate.hash = CompanyNameIndex::Hash(std::string_view(candidate.key, length));
        index.Prefetch(candidate.hash);
        if (++waiting == kBatch) {
            lookUpWaiting();
        }
    });
    lookUpWaiting();
    return holders;
}

} // namespace

std::vector<std::uint64_t> IndexCompanyFile(const RecordFile& file, CompanyNameIndex& index)
{
    // A large file is read in two halves at once, each on its own processor.
    const std::uint64_t count = file.RecordCount();
    const std::uint64_t middle =
        count >= 65536 && std::thread::hardware_concurrency() > 1 ? count / 2 : count;
    std::vector<NameHolder> later;
    std::vector<std::uint64_t> laterCut;
    BackgroundJob helper;
    if (middle < count) {
        helper.Start([&] { later = FindNameHolders(file, index, middle, count, laterCut); });
    }
    std::vector<std::uint64_t> cut;
    std::vector<NameHolder> holders = FindNameHolders(file, index, 0, middle, cut);
    helper.Wait();
    // Added in file order, each entry asked for a little ahead.
    holders.insert(holders.end(), later.begin(), later.end());
    cut.insert(cut.end(), laterCut.begin(), laterCut.end());
    constexpr std::size_t kAhead = 8;
    for (std::size_t i = 0; i < holders.size(); ++i) {
        if (i + kAhead < holders.size()) {
            index.PrefetchNameEntry(holders[i + kAhead].id);
        }
        index.AddTo(holders[i].id, holders[i].number);
    }
    return cut;
}

} // namespace dorvanta
