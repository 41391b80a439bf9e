#pragma once

// The --format of the two searches: every field of each result record,
// named as export-companies and export-opportunities name them.

#include "cli/commands.h"
#include "search/search_result.h"

#include <string>
#include <vector>

namespace dorvanta::cli {

// The values --format takes.
std::vector<std::string> RecordFormatNames();

// Prints the records of `result` from `fileName` (database.db or bursa.db)
// in `format` (csv: RFC 4180 with CRLF as export-companies writes it; tsv:
// one line per record, tabs and line breaks in a field shown as spaces;
// json: an array of objects). Throws FileError.
void WriteResultRecords(const SearchResult& result, std::string_view fileName, const GlobalOptions& globals,
                        std::string_view format);

} // namespace dorvanta::cli
