#pragma once

#include "data/record_file.h"
#include "search/search_result.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace dorvanta {

// Opens the database file of a search and takes its shared lock, waiting while
// an import writes it. A file that exists but cannot be opened or locked must
// not read as "no result": `result` then holds the CannotOpen outcome with
// `cannotOpenText` as its message, and nothing is returned.
std::optional<RecordFile> OpenForSearch(const std::filesystem::path& path, std::size_t recordSize,
                                        SearchResult& result, const std::string& cannotOpenText);

} // namespace dorvanta
