#include "search/search_file.h"

namespace dorvanta {

std::optional<RecordFile> OpenForSearch(const std::filesystem::path& path, std::size_t recordSize,
                                        SearchResult& result, const std::string& cannotOpenText)
{
    try {
        std::optional<RecordFile> file(std::in_place, path, recordSize);
        file->Lock(FileLock::Shared);
        return file;
    } catch (const FileError&) {
        result.outcome = SearchOutcome::CannotOpen;
        result.errorMessage = cannotOpenText;
        return std::nullopt;
    }
}

} // namespace dorvanta
