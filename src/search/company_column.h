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

// The company search from memory: it reads database.db once into a compact
// column (the lower-cased names one after
// another, and per record the county, the four activity codes and type
// letters as small numbers), then answers later searches from memory. Before
// each search it compares the file's size and modification time with those
// it was built from and builds again when they differ. Its results are those
// of SearchCompanies; when the file cannot be read into a column (missing,
// locked away, failing, or with more distinct codes than the column numbers)
// it hands the search to SearchCompanies, which reports as usual.
class CompanyColumnData
{
public:
    SearchResult Search(const std::filesystem::path& folder, const CompanyCriteria& criteria,
                        Language language);

    // Forgets the column; the program calls it after writing the file itself.
    void Invalidate();

    // Bytes the column holds.
    std::size_t MemoryBytes() const;
    bool Built() const { return built_; }
    // True when built from `path` as it is now.
    bool Current(const std::filesystem::path& path) const;
    // Reads the file into the column; false when it could not (or was stopped).
    bool Build(const std::filesystem::path& path, std::stop_token stop = {});

private:
    void BuildBaseNames();

    bool built_ = false;
    std::filesystem::path path_;
    std::uintmax_t size_ = 0;
    std::filesystem::file_time_type modified_{};

    // Name of record k: names_[starts_[k], starts_[k + 1] - 1), each followed by
    // a zero byte; the same with base letters in baseNames_ once asked for.
    std::string names_;
    std::string baseNames_;
    std::vector<std::uint32_t> starts_;
    std::vector<std::uint16_t> counties_; // 0: empty; else index + 1 into countyTexts_
    std::vector<std::string> countyTexts_;
    std::vector<std::uint16_t> codes_; // 4 per record; 0: no code, else index + 1 into codeTexts_
    std::vector<std::string> codeTexts_;
    std::vector<char> typeLetters_;      // 4 per record: the last character of the entry
    std::vector<std::uint8_t> presence_; // per record: bit i set when activity i is not empty
};

// The window's company search. The column is read on a helper thread, so
// that no search waits for it: until it is ready, and whenever the file has
// changed since, a search scans the file as SearchCompanies does and starts
// reading the column anew.
class CompanyColumn
{
public:
    SearchResult Search(const std::filesystem::path& folder, const CompanyCriteria& criteria,
                        Language language);

    // Waits for a column being read and takes it in (for the benchmark and tests).
    void WaitUntilBuilt();
    // Bytes of the column in use; 0 while there is none.
    std::size_t MemoryBytes() const { return ready_ ? ready_->MemoryBytes() : 0; }
    bool Built() const { return ready_ != nullptr && ready_->Built(); }

private:
    void TakeBuilt();

    std::unique_ptr<CompanyColumnData> ready_; // used by the searches' thread only
    std::mutex mutex_;
    std::unique_ptr<CompanyColumnData> pending_; // handed over by the helper
    bool building_ = false;
    std::jthread builder_;
};

} // namespace dorvanta
