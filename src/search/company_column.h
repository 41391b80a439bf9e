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
class CompanyIndex;

// The window's company search from memory: it reads database.db once into a
// compact column (the lower-cased names one after another, and per record the
// county, the four activity codes and type letters as small numbers), then
// answers later searches from memory, with the results of SearchCompanies.
// The column is read on a helper thread, so that no search waits for it:
// until it is ready, and whenever the file has changed since (its FileStamp
// differs), a search scans the file as SearchCompanies does and starts
// reading the column anew. A file that cannot be read into a column (with
// more distinct codes than the column numbers, say) is always scanned.
// The word, phone and fiscal-code criteria are answered from a word index
// beside the column, read the same way, but only once a search first asks
// for them: the name search neither waits for it nor holds its memory.
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

    // Waits for a column or index being read and takes it in (for the benchmark and tests).
    void WaitUntilBuilt();
    // Bytes of the column in use; 0 while there is none.
    std::size_t MemoryBytes() const;
    // Bytes of the word index in use; 0 while there is none.
    std::size_t IndexMemoryBytes() const;
    bool Built() const { return ready_ != nullptr; }
    bool IndexBuilt() const { return index_ != nullptr; }

private:
    void TakeBuilt();
    void StartColumn(const std::filesystem::path& path);
    void StartIndex(const std::filesystem::path& path);

    std::unique_ptr<CompanyColumnData> ready_; // used by the searches' thread only
    std::mutex mutex_;
    std::unique_ptr<CompanyColumnData> pending_; // handed over by the helper
    bool building_ = false;
    std::uint64_t generation_ = 0;        // a column read before the last Invalidate() is dropped
    std::unique_ptr<CompanyIndex> index_; // as ready_
    std::unique_ptr<CompanyIndex> pendingIndex_;
    bool indexBuilding_ = false;
    // Declared last: they end first, before what they hand over to.
    std::jthread builder_;
    std::jthread indexBuilder_;
};

} // namespace dorvanta
