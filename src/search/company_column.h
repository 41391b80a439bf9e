#pragma once

#include "data/language.h"
#include "search/company_search.h"
#include "search/search_result.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

namespace dorvanta {

class CompanyColumnData;

// The window's company search from memory: it reads database.db once into a
// compact column (the lower-cased names one after another, and per record the
// county, the four activity codes and type letters as small numbers), then
// answers later searches from memory, with the results of SearchCompanies.
// The column is read on a helper thread, so that no search waits for it:
// until it is ready, and whenever the file has changed since (its FileStamp
// differs), a search scans the file as SearchCompanies does and starts
// reading the column anew. A file that cannot be read into a column (with
// more distinct codes than the column numbers, say) is always scanned.
class CompanyColumn
{
public:
    CompanyColumn();
    ~CompanyColumn();
    CompanyColumn(const CompanyColumn&) = delete;
    CompanyColumn& operator=(const CompanyColumn&) = delete;

    SearchResult Search(const std::filesystem::path& folder, const CompanyCriteria& criteria,
                        Language language);

    // Forgets the column, and one being read, so the next search scans; the
    // window calls it when its own update or import has written the file.
    void Invalidate();

    // Waits for a column being read and takes it in (for the benchmark and tests).
    void WaitUntilBuilt();
    // Bytes of the column in use; 0 while there is none.
    std::size_t MemoryBytes() const;
    bool Built() const { return ready_ != nullptr; }

private:
    void TakeBuilt();

    std::unique_ptr<CompanyColumnData> ready_; // used by the searches' thread only
    std::mutex mutex_;
    std::unique_ptr<CompanyColumnData> pending_; // handed over by the helper
    bool building_ = false;
    std::uint64_t generation_ = 0; // a column read before the last Invalidate() is dropped
    std::jthread builder_;
};

} // namespace dorvanta
