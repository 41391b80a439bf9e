#pragma once

#include "import/line_sink.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A snapshot of the trade register turned into the company lines of an
// update answer: "@" lines first for the names that must go, then one "!"
// line per company the directory keeps.
namespace dorvanta {

// What reading and mapping a snapshot met. Every count is of the snapshot's
// rows or companies; the import's own outcome is counted by its caller.
struct RegisterReport
{
    std::uint64_t companyRows = 0;  // data rows of OD_FIRME, bad ones included
    std::uint64_t stateRows = 0;    // of OD_STARE_FIRMA
    std::uint64_t activityRows = 0; // of OD_CAEN_AUTORIZAT

    // Rows of OD_FIRME left out, by reason.
    std::uint64_t shortRows = 0; // fewer fields than the header
    std::uint64_t longRows = 0;  // more fields than the header
    std::uint64_t noRegistration = 0;
    std::uint64_t duplicateRegistration = 0; // a later row of a registration number already read
    std::uint64_t noName = 0;                // a name with nothing the code page can hold
    // Companies with a state that ends them, not imported unless every state is asked for.
    std::uint64_t ended = 0;

    // Rows of the other files left out: too short, a code that is no number,
    // or a registration number OD_FIRME does not hold.
    std::uint64_t badStateRows = 0;
    std::uint64_t badActivityRows = 0;
    std::uint64_t orphanStateRows = 0;
    std::uint64_t orphanActivityRows = 0;

    std::uint64_t companyLines = 0;  // "!" lines
    std::uint64_t blankingLines = 0; // "@" lines
    // Companies that share their name with one ranked before them and got
    // their registration number in brackets; how many of them are imported.
    std::uint64_t namesakes = 0;
    std::uint64_t namesakesImported = 0;

    std::uint64_t unknownCounty = 0; // imported with an empty county
    // Classes of imported companies that map to no category, counted once
    // per company, and each such class: its edition, code, N_CAEN name
    // (UTF-8, empty when unknown) and how many companies hold it, the most
    // frequent first.
    std::uint64_t unmappedActivities = 0;
    struct UnmappedClass
    {
        int edition = 0;
        std::string code;
        std::string name;
        std::uint64_t companies = 0;
    };
    std::vector<UnmappedClass> unmappedClasses;

    // The optional files the snapshot lacks (their usual names).
    std::vector<std::string> missingFiles;
};

// Told how far the reading has gone.
class RegisterReadProgress
{
public:
    virtual ~RegisterReadProgress() = default;
    // `step` names the file being read, `done` and `total` its bytes; with
    // no total, what is being done between the readings ("namesakes").
    virtual void Reading(std::string_view step, std::uint64_t done, std::uint64_t total) = 0;
};

struct RegisterLinesOptions
{
    bool allStates = false; // import ended companies too
    // The names published by the imports before (register_names.h); each
    // one no company of this snapshot is published under gets an "@" line.
    std::filesystem::path previousNames;
};

// Reads the snapshot in `folder` and writes its company lines to `lines` and,
// for every "!" line, the registration number and the name it is published
// under to `published` (register_names.h). Throws RegisterFormatError for a
// missing required file or column, FileError when a file cannot be read or
// written. A bad row is counted, never fatal.
RegisterReport BuildRegisterLines(const std::filesystem::path& folder, const RegisterLinesOptions& options,
                                  LineSink& lines, LineSink* published, RegisterReadProgress* progress);

} // namespace dorvanta
