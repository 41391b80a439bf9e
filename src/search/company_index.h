#pragma once

#include "data/file_access.h"
#include "search/company_candidates.h"
#include "search/word_postings.h"

#include <cstdint>
#include <filesystem>
#include <stop_token>
#include <vector>

namespace dorvanta {

class RecordFile;
struct CompanyWordQuery;

// What the word, phone and fiscal-code criteria search, held in memory for
// the column's searches: the words of the address, the representative and the
// description, the phone numbers as sorted keys (a typed prefix is a range of
// them) and the fiscal codes, sorted. Deleted records are left out: the
// search rejects them before anything else.
class CompanyIndex
{
public:
    // Reads the file; false when it could not (or was stopped).
    bool Build(const std::filesystem::path& path, std::stop_token stop = {});
    bool Current(const RecordFile& file) const;

    // The records that meet every criterion of `query`, found as they are asked
    // for; the index must outlive them.
    CompanyCandidates Candidates(const CompanyWordQuery& query) const;

    std::size_t MemoryBytes() const;

private:
    // Record numbers sorted by a 64-bit key.
    struct KeyedRecords
    {
        std::vector<std::uint64_t> keys;
        std::vector<std::uint32_t> records;
        void Sort();
        // The records whose key lies in [low, high], ascending, each once.
        std::vector<std::uint32_t> Between(std::uint64_t low, std::uint64_t high,
                                           std::uint64_t recordCount) const;
    };

    std::filesystem::path path_;
    FileStamp stamp_;
    std::uint64_t recordCount_ = 0;
    WordPostings town_;
    WordPostings representative_;
    WordPostings description_;
    KeyedRecords phones_;
    KeyedRecords fiscalCodes_;
};

} // namespace dorvanta
