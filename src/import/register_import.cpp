#include "import/register_import.h"

#include "data/company_record.h"
#include "data/file_access.h"
#include "data/record_file.h"
#include "data/record_layout.h"
#include "data/utf8_path.h"
#include "import/line_sink.h"
#include "import/register_names.h"
#include "import/register_snapshot.h"
#include "import/line_source.h"
#include "import/record_import.h"
#include "data/in_flight_file.h"

namespace dorvanta {

namespace fs = std::filesystem;

namespace {

const std::string kLinesStem = "register-lines";

std::uint64_t RecordCount(const fs::path& file)
{
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    return ec ? 0 : size / company_layout::kRecordSize;
}

} // namespace

RegisterImportOutcome ImportRegister(const fs::path& programFolder, const fs::path& snapshot, bool allStates,
                                     ImportProgress& progress, RegisterReadProgress* reading,
                                     Language language)
{
    RegisterImportOutcome outcome;
    // A folder that is no snapshot is told before anything is written.
    FindRegisterFiles(snapshot);
    const fs::path scratch = programFolder / "Temp";
    std::error_code ec;
    fs::create_directories(scratch, ec);
    if (ec) {
        throw FileError(scratch, "Cannot create", ec.value());
    }
    const fs::path namesPath = programFolder / kRegisterNamesFileName;

    // One register import at a time in a folder, from the window or the
    // command line: the names file is read, then replaced, by each. (The
    // lock of database.db itself is the record import's, taken later.)
    FileHandle guard(programFolder / kRegisterLockFileName, true);
    guard.Lock(FileLock::Exclusive, [&] { progress.WaitingForFile(std::string(kRegisterLockFileName)); });
    RemoveLeftovers(scratch, kLinesStem + "-", ".tmp");
    RemoveLeftovers(programFolder, std::string(kRegisterNamesFileName) + "-", ".tmp");

    // The lines go to a file, read twice by the import, never held whole.
    InFlightFile linesFile(scratch, kLinesStem + "-", ".tmp");
    InFlightFile namesFile(programFolder, std::string(kRegisterNamesFileName) + "-", ".tmp");
    {
        FileLineSink lines(linesFile.path());
        FileLineSink names(namesFile.path());
        names.Write(kRegisterNamesHeader);
        outcome.report =
            BuildRegisterLines(snapshot, RegisterLinesOptions{allStates, namesPath}, lines, &names, reading);
        lines.Close();
        names.Close();
    }
    ReplaceWithConcatenation(namesPath, {namesFile.path(), namesPath});

    fs::path database = ResolveFile(programFolder, kCompanyFileName);
    if (!fs::exists(database, ec)) {
        database = programFolder / kCompanyFileName;
        FileHandle created(database, true);
        created.Close();
        outcome.createdDatabase = true;
    }
    outcome.recordsBefore = RecordCount(database);
    FileLineSource source(linesFile.path());
    ImportCompanies(programFolder, source, progress, language);
    outcome.recordsAfter = RecordCount(database);

    try {
        namesFile.Publish(namesPath);
    } catch (const fs::filesystem_error& error) {
        throw FileError(namesPath, "Cannot replace", error.code().value(), FileOperation::Write);
    }
    return outcome;
}

} // namespace dorvanta
