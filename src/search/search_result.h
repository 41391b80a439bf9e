#pragma once

#include "data/language.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dorvanta {

// A result list never holds more rows than this.
inline constexpr std::size_t kResultLimit = 2000;

// One row of a result list: the record it stands for and its columns.
struct ResultRow
{
    std::int64_t recordNumber = 0;
    std::string type; // the "Type" column
    std::string text; // the "Company" or "Subject" column
    std::string date; // an ad's stored `InsertDate`; empty for a company

    bool operator==(const ResultRow&) const = default;
};

enum class SearchOutcome
{
    Found,        // the whole file was read
    LimitReached, // reading stopped at the row limit
    CannotOpen,   // the file exists but could not be opened for reading and writing
    FileMissing,  // the file does not exist
    ReadError     // reading failed part-way; the rows found so far stay
};

// What a search gives the panel to show. Texts are in the language of the search.
struct SearchResult
{
    std::vector<ResultRow> rows; // in list order
    SearchOutcome outcome = SearchOutcome::Found;
    std::string status;        // new status line text; empty: leave the status line as it is
    std::string errorMessage;  // text of a box to show at once (open or read failure); empty: none
    bool showNoResult = false; // the action then shows message 1 in the information box
};

// Adds `row` unless the list is full; a full list marks the result
// LimitReached and returns false, and the search stops there.
bool AddRow(SearchResult& result, ResultRow row);

// The status line and the empty-result box of a search that read its file to
// the end or to the row limit.
void FinishResult(SearchResult& result, Language language);

} // namespace dorvanta
