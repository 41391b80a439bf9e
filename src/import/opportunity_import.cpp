// The ad side of the import: the identifiers bursa.db holds, and appending
// downloaded or imported ad lines to it.
#include "data/record_file.h"
#include "data/record_layout.h"
#include "data/text.h"
#include "import/import_common.h"
#include "import/record_import.h"

#include <algorithm>
#include <unordered_set>

namespace dorvanta {

namespace fs = std::filesystem;
using import_detail::GaugeValue;
using import_detail::LockForWriting;

std::vector<std::string> LoadOpportunityIds(const fs::path& programFolder)
{
    // RecordFile refuses a missing file, so it needs no look of its own.
    RecordFile file(ResolveFile(programFolder, kOpportunityFileName), opportunity_layout::kRecordSize);
    file.Lock(FileLock::Shared);
    std::vector<std::string> ids;
    ForEachRecord(file, [&](std::uint64_t, const std::uint8_t* record) {
        ids.push_back(ReadField(record, opportunity_layout::kFields[opportunity_layout::AdId]));
    });
    file.Close();
    return ids;
}

namespace {

// The key an ad identifier is held under: as the file stores it (cut to its
// field), letters a to z compared as capitals.
std::string HeldAdKey(std::string_view id)
{
    const std::size_t maxLength = opportunity_layout::kFields[opportunity_layout::AdId].maxLength;
    return ToUpperAZ(id.substr(0, std::min<std::size_t>(id.size(), maxLength)));
}

AdAppendReport AppendLines(const fs::path& programFolder, LineSource& lines, ImportProgress& progress,
                           bool onlyNew)
{
    using namespace opportunity_layout;
    AdAppendReport report;
    {
        RecordFile file(ResolveFile(programFolder, kOpportunityFileName), kRecordSize,
                        RecordFile::Open::CreateIfMissing);
        LockForWriting(file, progress);
        // Read under the same lock as the appends: an update that ran while
        // this one downloaded has added its ads by now, and they are not
        // added a second time.
        std::unordered_set<std::string> held;
        if (onlyNew) {
            ForEachRecord(file, [&](std::uint64_t, const std::uint8_t* record) {
                held.insert(ToUpperAZ(ReadField(record, kFields[AdId])));
            });
        }
        std::string line;
        while (lines.Next(line)) {
            ++report.lines;
        }
        lines.Rewind();
        progress.SetGaugeMaximum(GaugeValue(report.lines));
        for (std::size_t i = 0; lines.Next(line); ++i) {
            const auto fields = SplitOpportunityLine(line);
            if (onlyNew && held.count(HeldAdKey(fields[0])) != 0) {
                continue;
            }
            std::array<std::uint8_t, kRecordSize> record{};
            // Line fields 1 to 3 fill the first three record fields, Reserved
            // stays empty, and fields 4 to 13 fill the rest.
            for (std::size_t f = 0; f < FieldCount; ++f) {
                if (f == Reserved) {
                    continue;
                }
                WriteField(record.data(), kFields[f], fields[f < Reserved ? f : f - 1]);
            }
            file.Append(record.data());
            ++report.appended;
            progress.SetGaugePosition(GaugeValue(i));
        }
        file.Close();
    }
    return report;
}

} // namespace

AdAppendReport AppendOpportunities(const fs::path& programFolder, LineSource& lines, ImportProgress& progress)
{
    return AppendLines(programFolder, lines, progress, false);
}

AdAppendReport AppendOpportunities(const fs::path& programFolder, const std::vector<std::string>& lines,
                                   ImportProgress& progress)
{
    VectorLineSource source(lines);
    return AppendOpportunities(programFolder, source, progress);
}

AdAppendReport AppendNewOpportunities(const fs::path& programFolder, const std::vector<std::string>& lines,
                                      ImportProgress& progress)
{
    VectorLineSource source(lines);
    return AppendLines(programFolder, source, progress, true);
}

} // namespace dorvanta
