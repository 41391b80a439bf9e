#pragma once

#include "import/register_lines.h"
#include "publisher/master.h"

#include <cstdint>
#include <filesystem>

// A snapshot of the trade register taken into the master: each company whose
// line differs from the one held (or that is new) gets its new line dated
// `day`; each name no company is published under any more gets a blanking
// line. The register import's mapping and namesake rule make the lines, so
// a folder updated from the publisher holds what a direct import of the same
// snapshots gives.
namespace dorvanta::publisher {

struct IngestOutcome
{
    std::int32_t day = 0;
    RegisterReport report;
    std::int64_t companies = 0; // published after the ingest
    std::int64_t changed = 0;   // company lines new or changed
    std::int64_t blanked = 0;   // names given a blanking line
    std::int64_t removed = 0;   // companies no longer published
};

// `day` is the day of the changes (yyyymmdd); Refused when it is earlier
// than the last ingest's. Throws RegisterFormatError, FileError or SqlError;
// the master is then left as it was.
IngestOutcome IngestRegister(Master& master, const std::filesystem::path& snapshot, std::int32_t day,
                             RegisterReadProgress* progress = nullptr);

} // namespace dorvanta::publisher
