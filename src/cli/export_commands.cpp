// export-companies and export-opportunities: every record in use as CSV
// (RFC 4180, CRLF line ends, UTF-8), the record number first.

#include "cli/commands.h"
#include "cli/cp1250.h"

#include "data/record_file.h"
#include "data/record_layout.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace dorvanta::cli {

namespace {

// Records read per block: a few megabytes, so a large file takes few reads.
constexpr std::size_t kRecordsPerBlock = 4096;
// Output is handed on in pieces of about this size.
constexpr std::size_t kOutputChunk = 1u << 20;

// Appends stored (Windows-1250) text as one CSV field in UTF-8, quoted when
// it holds a comma, a quote or a line break. Those are ASCII, which the
// conversion keeps as it is, so the stored text can be tested and split.
void AppendStoredCsvField(std::string& out, std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        AppendCp1250AsUtf8(out, text);
        return;
    }
    out += '"';
    std::size_t start = 0;
    for (std::size_t quote = text.find('"'); quote != std::string_view::npos; quote = text.find('"', start)) {
        AppendCp1250AsUtf8(out, text.substr(start, quote + 1 - start));
        out += '"';
        start = quote + 1;
    }
    AppendCp1250AsUtf8(out, text.substr(start));
    out += '"';
}

struct ExportFormat
{
    std::string_view fileName;
    std::size_t recordSize;
    std::span<const FieldLayout> fields;
    // A record whose field of this index is empty is deleted and left out.
    std::optional<std::size_t> requiredField;
};

void Export(const ExportFormat& format, const GlobalOptions& globals)
{
    std::optional<RecordFile> file;
    try {
        file.emplace(ResolveFile(DataFolder(globals), format.fileName), format.recordSize);
        file->Lock(FileLock::Shared); // the export is one state of the file, not half of an import
    } catch (const FileError& error) {
        PrintMessage(FileProblemText(error, format.fileName, globals.lang));
        ExitWith(kExitFileError);
    }

    std::string out = "RecordNumber";
    for (const FieldLayout& field : format.fields) {
        out += ',';
        AppendStoredCsvField(out, field.name);
    }
    out += "\r\n";

    try {
        ForEachRecord(
            *file,
            [&](std::uint64_t number, const std::uint8_t* record) {
                if (format.requiredField && FieldLength(record, format.fields[*format.requiredField]) == 0) {
                    return;
                }
                out += std::to_string(number);
                for (const FieldLayout& field : format.fields) {
                    out += ',';
                    AppendStoredCsvField(out, ReadField(record, field));
                }
                out += "\r\n";
                if (out.size() >= kOutputChunk) {
                    WriteOutput(out);
                    out.clear();
                }
            },
            kRecordsPerBlock);
    } catch (const FileError& error) {
        // What was read before a failure is still handed on; the exit code
        // and the message say that the export is incomplete.
        WriteOutput(out);
        PrintMessage(FileProblemText(error, format.fileName, globals.lang));
        ExitWith(kExitFileError);
    }
    WriteOutput(out);
}

} // namespace

void RegisterExportCommands(CLI::App& app, const GlobalOptions& globals)
{
    app.add_subcommand("export-companies", "Write every company (deleted records left out) as CSV")
        ->callback([&globals] {
            Export(ExportFormat{kCompanyFileName, company_layout::kRecordSize, company_layout::kFields,
                                company_layout::Company},
                   globals);
        });
    app.add_subcommand("export-opportunities", "Write every business ad as CSV")->callback([&globals] {
        Export(ExportFormat{kOpportunityFileName, opportunity_layout::kRecordSize,
                            opportunity_layout::kFields, std::nullopt},
               globals);
    });
}

} // namespace dorvanta::cli
