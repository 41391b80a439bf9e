#include "cli/search_formats.h"

#include "cli/cp1250.h"
#include "data/record_file.h"
#include "data/record_layout.h"
#include "data/text.h"

#include <cstdio>
#include <span>

namespace dorvanta::cli {

namespace {

void AppendJsonString(std::string& out, const std::string& utf8)
{
    out += '"';
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

} // namespace

std::vector<std::string> RecordFormatNames()
{
    return {"csv", "tsv", "json"};
}

void WriteResultRecords(const SearchResult& result, std::string_view fileName, const GlobalOptions& globals,
                        std::string_view format)
{
    const bool companies = fileName == kCompanyFileName;
    const std::size_t recordSize = companies ? company_layout::kRecordSize : opportunity_layout::kRecordSize;
    const std::span<const FieldLayout> fields =
        companies ? std::span<const FieldLayout>(company_layout::kFields)
                  : std::span<const FieldLayout>(opportunity_layout::kFields);

    std::string out;
    const char separator = format == "tsv" ? '\t' : ',';
    const char* lineEnd = format == "csv" ? "\r\n" : "\n";
    if (format == "json") {
        out += "[";
    } else {
        out += "RecordNumber";
        for (const FieldLayout& field : fields) {
            out += separator;
            out += field.name;
        }
        out += lineEnd;
    }

    if (!result.rows.empty()) {
        RecordFile file(ResolveFile(DataFolder(globals), fileName), recordSize);
        file.Lock(FileLock::Shared);
        std::vector<std::uint8_t> record(recordSize);
        bool first = true;
        for (const ResultRow& row : result.rows) {
            if (!file.Read(static_cast<std::uint64_t>(row.recordNumber), record.data())) {
                continue; // the file was cut since the search: nothing to show
            }
            if (format == "json") {
                out += first ? "\n{\"RecordNumber\":" : ",\n{\"RecordNumber\":";
                out += std::to_string(row.recordNumber);
                for (const FieldLayout& field : fields) {
                    out += ",\"";
                    out += field.name;
                    out += "\":";
                    AppendJsonString(out, Cp1250ToUtf8(ReadField(record.data(), field)));
                }
                out += "}";
            } else {
                out += std::to_string(row.recordNumber);
                for (const FieldLayout& field : fields) {
                    out += separator;
                    const std::string text = ReadField(record.data(), field);
                    if (format == "csv") {
                        AppendCsvField(out, Cp1250ToUtf8(text));
                    } else {
                        out += TerminalText(text);
                    }
                }
                out += lineEnd;
            }
            first = false;
        }
    }
    if (format == "json") {
        out += result.rows.empty() ? "]\n" : "\n]\n";
    }
    WriteOutput(out);
}

} // namespace dorvanta::cli
