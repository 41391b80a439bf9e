#include "search/company_column.h"

#include "data/company_record.h"
#include "data/field_case.h"
#include "data/messages.h"
#include "data/record_file.h"
#include "data/record_layout.h"
#include "data/scramble.h"
#include "data/text.h"
#include "search/company_column_data.h"
#include "search/company_index.h"
#include "search/company_words.h"

#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <string_view>
#include <unordered_map>

namespace dorvanta {

namespace {
namespace layout = company_layout;
} // namespace

CompanyColumn::CompanyColumn() = default;

CompanyColumn::~CompanyColumn()
{
    // The helpers end before the members they hand their work to.
    builder_ = {};
    indexBuilder_ = {};
}

std::size_t CompanyColumn::MemoryBytes() const
{
    return ready_ ? ready_->MemoryBytes() : 0;
}

std::size_t CompanyColumn::IndexMemoryBytes() const
{
    return index_ ? index_->MemoryBytes() : 0;
}

void CompanyColumn::Invalidate()
{
    ready_.reset();
    index_.reset();
    const std::lock_guard lock(mutex_);
    pending_.reset();
    pendingIndex_.reset();
    ++generation_;
}

void CompanyColumn::TakeBuilt()
{
    const std::lock_guard lock(mutex_);
    if (pending_) {
        ready_ = std::move(pending_);
    }
    if (pendingIndex_) {
        index_ = std::move(pendingIndex_);
    }
}

void CompanyColumn::WaitUntilBuilt()
{
    if (builder_.joinable()) {
        builder_.join();
    }
    if (indexBuilder_.joinable()) {
        indexBuilder_.join();
    }
    TakeBuilt();
}

SearchResult CompanyColumn::Search(const std::filesystem::path& folder, const CompanyCriteria& criteria,
                                   Language language)
{
    TakeBuilt();
    const std::filesystem::path path = ResolveFile(folder, kCompanyFileName);
    const bool words = CompanyWordQuery(criteria).Any();
    bool columnCurrent = false;
    if (ready_) {
        // The file is opened and locked as the scan would: a file that can no
        // longer be opened is reported, and an import that writes it is
        // waited for, after which its new modification time tells.
        try {
            RecordFile file(path, layout::kRecordSize);
            file.Lock(FileLock::Shared);
            columnCurrent = ready_->Current(file);
            if (columnCurrent && !words) {
                return ready_->Search(criteria, language, nullptr);
            }
            if (columnCurrent && index_ && index_->Current(file)) {
                return ready_->Search(criteria, language, index_.get());
            }
        } catch (const FileError&) {
        }
    }
    // Out of date: the memory goes now. A current column keeps its place
    // while only the index is missing.
    index_.reset();
    if (!columnCurrent) {
        ready_.reset();
    }
    // The helper starts after the scan, so as not to slow it down.
    SearchResult result = SearchCompanies(folder, criteria, language);
    if (columnCurrent) {
        StartIndex(path);
    } else {
        StartColumn(path);
    }
    return result;
}

void CompanyColumn::StartColumn(const std::filesystem::path& path)
{
    std::uint64_t generation = 0;
    {
        const std::lock_guard lock(mutex_);
        if (building_) {
            return;
        }
        building_ = true;
        generation = generation_;
    }
    // The previous helper has ended; assigning joins it.
    builder_ = std::jthread([this, path, generation](std::stop_token stop) {
        auto data = std::make_unique<CompanyColumnData>();
        const bool built = data->Build(path, stop);
        const std::lock_guard lock(mutex_);
        if (built && generation == generation_) {
            pending_ = std::move(data);
        }
        building_ = false;
    });
}

void CompanyColumn::StartIndex(const std::filesystem::path& path)
{
    std::uint64_t generation = 0;
    {
        const std::lock_guard lock(mutex_);
        if (indexBuilding_) {
            return;
        }
        indexBuilding_ = true;
        generation = generation_;
    }
    indexBuilder_ = std::jthread([this, path, generation](std::stop_token stop) {
        auto index = std::make_unique<CompanyIndex>();
        const bool built = index->Build(path, stop);
        const std::lock_guard lock(mutex_);
        if (built && generation == generation_) {
            pendingIndex_ = std::move(index);
        }
        indexBuilding_ = false;
    });
}

} // namespace dorvanta
