#pragma once

#include "data/file_access.h"
#include "data/language.h"
#include "import/line_source.h"
#include "import/update_progress.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Turning downloaded lines into records of bursa.db and database.db. The
// files are found in the program's folder (file names without regard to case).
namespace dorvanta {

inline constexpr std::size_t kOpportunityLineFields = 13;
inline constexpr std::size_t kCompanyLineFields = 14;

// Every import holds the exclusive lock of its file from opening to closing:
// a second import of the same file, in this program or another, waits for the
// first (ImportProgress::WaitingForFile tells when), so neither loses the
// other's records.

// The import's failures to read or write a file are FileError exceptions:
// the records written before stay whole, and the caller says what went wrong.

// The unscrambled AdId of every record of bursa.db, in file order. A missing
// file, one that cannot be opened for reading and writing, or a failing read
// throws FileError.
std::vector<std::string> LoadOpportunityIds(const std::filesystem::path& programFolder);

// Cuts a business-ad line into its 13 backtick-ended fields. Missing fields
// are empty; text after the 13th backtick is ignored. Never fails.
std::array<std::string, kOpportunityLineFields> SplitOpportunityLine(std::string_view line);

// What an append of ad lines did.
struct AdAppendReport
{
    std::size_t lines = 0;    // lines read
    std::size_t appended = 0; // records written
};

// Appends one bursa.db record per line, creating the file when it is missing.
// Drives the gauge (maximum = number of lines, position = index of the line
// just written). A failure throws (FileError for the file); the records
// written before it stay, and the file never holds part of a record.
AdAppendReport AppendOpportunities(const std::filesystem::path& programFolder, LineSource& lines,
                                   ImportProgress& progress);
AdAppendReport AppendOpportunities(const std::filesystem::path& programFolder,
                                   const std::vector<std::string>& lines, ImportProgress& progress);

// The ad update's append: as AppendOpportunities, but a line whose AdId
// (as stored: cut to its field, a to z as capitals) bursa.db already holds
// is passed over. The held identifiers are read under the same exclusive
// lock as the appends, so two updates that downloaded the same new ads at
// once add them once.
AdAppendReport AppendNewOpportunities(const std::filesystem::path& programFolder,
                                      const std::vector<std::string>& lines, ImportProgress& progress);

// What a company import did. A failure to read or write is a FileError.
struct CompanyImportReport
{
    // database.db was missing: the box was shown, nothing applied, no status text.
    bool databaseMissing = false;
    std::size_t lines = 0;    // lines read, as the status line counts them
    std::size_t added = 0;    // "!" lines that added a record
    std::size_t replaced = 0; // "!" lines that found their record
    std::size_t blanked = 0;  // "@" lines that found their record
};

// One company line: "!" (add or replace) or "@" (blank) followed by 14
// backtick-ended fields, viewed inside the line. `valid` is false for a line
// the import skips: shorter than 10 bytes, another first character, or fewer
// than 14 backticks after the prefix.
struct CompanyLine
{
    bool valid = false;
    bool blank = false;
    std::array<std::string_view, kCompanyLineFields> fields{};
};
CompanyLine ParseCompanyLine(std::string_view line);

// The identity of a company name: the key its lines and records are matched
// by. The one place that says so: the name as a record holds it (cut to the
// 80 bytes of its field), letters a to z compared as capitals. Two names
// equal in their first 80 bytes are one company: the longer one could never
// find its own record otherwise, and would be added again by every answer.
std::string CompanyNameKey(std::string_view name);
// The same into `key`, whose memory is reused line after line.
void CompanyNameKey(std::string_view name, std::string& key);

class CompanyAnswerScan;

// How the company import gathers its writes: added and replaced records go
// to the file in batches of about `batchBytes` (tests make batches of a few
// records, so that their seams are crossed).
struct CompanyImportTuning
{
    std::size_t batchBytes = std::size_t{4} << 20;
};

// Applies a company answer to database.db: an "!" line replaces the first
// record whose name equals its field 1 (CompanyNameKey) or appends a new
// record; an "@" line blanks that record and does nothing for an unknown
// name. Lines apply in order, so a line sees the records earlier lines added
// or blanked. Two departures from that order, so that an answer applied
// twice (the server may send it again) changes nothing the second time:
// - an "!" line for a name that has no record, whose last line in the answer
//   is an "@" line, adds nothing: the record would only end blank (not said
//   of the empty name, which blanked records hold);
// - the cut blankings the file holds when it is opened (see
//   IndexCompanyFile) are cleared whole before the first line.
// The gauge maximum is the number of lines and its position the index of
// each line that wrote a record; at the end the status line counts every
// line.
//
// When the first valid line finds no database.db, the information box
// "Database file does not exist" is shown and nothing is applied. An answer
// without valid lines does not look for the file.
//
// The lines are read twice: once for the names they look for, then to apply
// them. Memory grows with the number of distinct names, not with the lines.
//
// Throws FileError when database.db cannot be opened for reading and writing
// or a read or write fails, and when `lines` cannot be read; the lines
// applied before stay applied, each at most once, and the file holds whole
// records.
CompanyImportReport ImportCompanies(const std::filesystem::path& programFolder, LineSource& lines,
                                    ImportProgress& progress, Language language,
                                    const CompanyImportTuning& tuning = {});
CompanyImportReport ImportCompanies(const std::filesystem::path& programFolder,
                                    const std::vector<std::string>& lines, ImportProgress& progress,
                                    Language language, const CompanyImportTuning& tuning = {});
// The same for lines whose first reading was done as they arrived (see
// ScanningOutputStream): only the second pass reads them. The scan's index
// is used up.
CompanyImportReport ImportCompanies(const std::filesystem::path& programFolder, LineSource& lines,
                                    CompanyAnswerScan& scan, ImportProgress& progress, Language language,
                                    const CompanyImportTuning& tuning = {});

} // namespace dorvanta
