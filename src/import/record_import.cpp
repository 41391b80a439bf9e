#include "import/record_import.h"

#include "data/messages.h"
#include "data/record_file.h"
#include "data/record_layout.h"
#include "data/text.h"
#include "import/background_job.h"
#include "import/company_answer_scan.h"
#include "import/company_file_index.h"
#include "import/company_name_index.h"
#include "import/import_common.h"
#include "import/replaced_records.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <span>
#include <utility>

namespace dorvanta {

namespace fs = std::filesystem;
using import_detail::GaugeValue;
using import_detail::LockForWriting;

namespace {

// Added and replaced company records are written in batches of at most this many bytes.
constexpr std::size_t kPendingBytes = std::size_t{4} << 20;

// Cuts the backtick-ended fields at the start of `line` into `fields`, in
// order, and returns how many it found. Text after the last one is ignored.
std::size_t SplitBacktickFields(std::string_view line, std::span<std::string_view> fields)
{
    std::size_t found = 0;
    for (; found < fields.size(); ++found) {
        const std::size_t end = line.find('`');
        if (end == std::string_view::npos) {
            break;
        }
        fields[found] = line.substr(0, end);
        line.remove_prefix(end + 1);
    }
    return found;
}

// The record a company line writes, into `out` (a whole record).
void FillCompanyRecord(const CompanyLine& line, std::uint8_t* out)
{
    // The fields lie one after the other from the first byte to the last,
    // and WriteField writes every byte of its field.
    static_assert(company_layout::FieldCount == kCompanyLineFields &&
                  company_layout::kFields[0].offset == 0 &&
                  company_layout::kFields[kCompanyLineFields - 1].end() == company_layout::kRecordSize);
    if (line.blank) {
        std::memset(out, 0, company_layout::kRecordSize);
        return;
    }
    for (std::size_t k = 0; k < kCompanyLineFields; ++k) {
        WriteField(out, company_layout::kFields[k], line.fields[k]);
    }
}

} // namespace

std::array<std::string, kOpportunityLineFields> SplitOpportunityLine(std::string_view line)
{
    std::array<std::string_view, kOpportunityLineFields> views;
    SplitBacktickFields(line, views);
    std::array<std::string, kOpportunityLineFields> fields;
    std::copy(views.begin(), views.end(), fields.begin());
    return fields;
}

CompanyLine ParseCompanyLine(std::string_view line)
{
    CompanyLine parsed;
    if (line.size() < 10 || (line[0] != '!' && line[0] != '@')) {
        return parsed;
    }
    if (SplitBacktickFields(line.substr(1), parsed.fields) < kCompanyLineFields) {
        return CompanyLine{};
    }
    parsed.valid = true;
    parsed.blank = line[0] == '@';
    return parsed;
}

std::string CompanyNameKey(std::string_view name)
{
    std::string key;
    CompanyNameKey(name, key);
    return key;
}

void CompanyNameKey(std::string_view name, std::string& key)
{
    key.assign(name.substr(0, company_layout::kFields[company_layout::Company].maxLength));
    for (char& c : key) {
        c = ToUpperAZ(c);
    }
}

CompanyImportResult ImportCompanies(const fs::path& programFolder, LineSource& lines,
                                    ImportProgress& progress, Language language)
{
    // First pass: the names the lines look for.
    CompanyAnswerScan scan;
    std::string text;
    while (lines.Next(text)) {
        scan.AddLine(text);
    }
    return ImportCompanies(programFolder, lines, scan, progress, language);
}

CompanyImportResult ImportCompanies(const fs::path& programFolder, LineSource& lines, CompanyAnswerScan& scan,
                                    ImportProgress& progress, Language language)
{
    progress.SetGaugeMaximum(GaugeValue(scan.lines()));

    std::optional<RecordFile> file;
    if (scan.anyValid()) {
        const fs::path path = ResolveFile(programFolder, kCompanyFileName);
        std::error_code ec;
        if (!fs::exists(path, ec)) {
            progress.ShowInformation(kDatabaseMissingText);
            return CompanyImportResult::DatabaseMissing;
        }
        file.emplace(path, company_layout::kRecordSize);
        // Held until the last record is written: another import's records
        // and names are all in the file before this one reads it.
        LockForWriting(*file, progress);
    }
    CompanyNameIndex& index = scan.names();
    std::string text;
    std::vector<std::uint64_t> cutBlankings;
    if (file) {
        cutBlankings = IndexCompanyFile(*file, index);
    }

    constexpr std::size_t kRecordSize = company_layout::kRecordSize;
    // New records are gathered and written together: an answer adds
    // thousands, and a write for each would cost more than reading the file.
    // A line that changes a gathered record changes it in memory.
    std::vector<std::uint8_t> pending;
    std::uint64_t pendingFirst = file ? file->RecordCount() : 0;
    ReplacedRecords replaced(kRecordSize);
    ReplacedRecords::Batch batch(kRecordSize);
    // A batch is written on a helper thread while the next one is made
    // ready: the writes cost about as much as the lines.
    ReplacedRecords::Batch writing(kRecordSize);
    std::vector<std::uint8_t> appending;
    BackgroundJob writer;
    bool writeFailed = false;
    // A failed write ends the writing: nothing is written after it.
    const auto waitForWriter = [&] {
        try {
            writer.Wait();
        } catch (...) {
            writeFailed = true;
            throw;
        }
    };
    const auto flush = [&](bool last) {
        if (!file) {
            return; // no valid line: nothing was gathered
        }
        waitForWriter();
        // The batches are taken out before they are written: when a write
        // fails part-way, what reached the file stays, and the error path
        // below never writes any of it a second time.
        appending.clear();
        std::swap(appending, pending);
        std::swap(writing, batch);
        // The records appended are numbered from here on, written or not: a
        // failed append fails the import, and nothing is written after it.
        pendingFirst += appending.size() / kRecordSize;
        writer.Start([&, last] {
            replaced.Write(*file, writing, last);
            if (!appending.empty()) {
                file->AppendMany(appending.data(), appending.size() / kRecordSize);
            }
        });
        if (last) {
            waitForWriter();
        }
    };
    // Names whose record was given its last line's bytes at the first.
    std::vector<bool> writtenEarly(index.size());
    constexpr std::size_t kLinesAhead = 8;
    std::string upper;
    try {
        // Finished before any line: a line of the empty name that replaces
        // one of these later puts it again, and the later put is written.
        for (const std::uint64_t number : cutBlankings) {
            std::memset(batch.Put(number), 0, kRecordSize);
            if (batch.bytes() >= kPendingBytes) {
                flush(false);
            }
        }
        lines.Rewind();
        std::string_view view;
        for (std::size_t i = 0; lines.NextView(view, text); ++i) {
            const CompanyLine line = ParseCompanyLine(view);
            if (!line.valid) {
                continue;
            }
            CompanyNameKey(line.fields[0], upper);
            const std::string_view key = upper;
            // The name's number kept by the scan, checked, saves a lookup.
            // The names of lines a little further on are asked for now: the
            // index is far larger than the cache.
            index.PrefetchNameEntry(scan.NameOfLine(i + 2 * kLinesAhead));
            index.PrefetchNameText(scan.NameOfLine(i + kLinesAhead));
            CompanyNameIndex::Id id = scan.NameOfLine(i);
            if (id == CompanyNameIndex::kNoId || index.Key(id) != key) {
                id = index.IdOf(key);
            }
            const auto found = id == CompanyNameIndex::kNoId ? std::nullopt : index.FirstOf(id);
            if (found) {
                const auto record = [&] {
                    return *found >= pendingFirst ? pending.data() + (*found - pendingFirst) * kRecordSize
                                                  : batch.Put(*found);
                };
                const bool named = !line.blank && id == scan.NameOfLine(i);
                const std::string* last = named && !writtenEarly[id] ? scan.LastLineOf(id) : nullptr;
                if (last) {
                    // Every later line of the name replaces this same record,
                    // and none blanks it: it gets the last one's bytes now,
                    // among the records being written, not far behind them
                    // later.
                    FillCompanyRecord(ParseCompanyLine(*last), record());
                    writtenEarly[id] = true;
                } else if (named && (writtenEarly[id] || scan.LookedForAgain(i))) {
                    // A later line of the name writes this record whole,
                    // replaced or blanked, or an earlier one wrote the last
                    // one's bytes: these would only be written over.
                } else {
                    FillCompanyRecord(line, record());
                }
                // A match means the name fits its field, so a replaced record keeps
                // its key; a blanked one now holds the empty name.
                if (line.blank && !key.empty()) {
                    index.RemoveFirstOf(id);
                    index.Add(std::string_view(), *found);
                }
            } else if (!line.blank) {
                if (!key.empty() && scan.LastLineBlanks(id)) {
                    // The record would end blank, and a blank record more at
                    // every answer that adds and deletes a company: none is added.
                    continue;
                }
                const std::uint64_t number = pendingFirst + pending.size() / kRecordSize;
                pending.resize(pending.size() + kRecordSize);
                FillCompanyRecord(line, pending.data() + pending.size() - kRecordSize);
                if (id != CompanyNameIndex::kNoId) {
                    index.AddTo(id, number);
                } else {
                    index.Add(key, number);
                }
            } else {
                continue;
            }
            if (pending.size() + batch.bytes() >= kPendingBytes) {
                flush(false);
                // Between batches: what was handled is written (below), whole.
                if (progress.StopRequested()) {
                    throw ImportStopped();
                }
            }
            progress.SetGaugePosition(GaugeValue(i));
        }
        lines.Finished();
        flush(true);
    } catch (...) {
        // The lines handled before the failure are written now. After a
        // failed write, the batch that failed and the records held back with
        // it are not (see flush and ReplacedRecords::Write): none is ever
        // written twice, and the import reports the failure.
        try {
            if (!writeFailed) {
                flush(true);
            }
        } catch (const FileError&) {
        }
        throw;
    }

    if (file) {
        file->Close();
    }
    progress.SetStatus(CompaniesUpdatedText(scan.lines(), language));
    return CompanyImportResult::Applied;
}

CompanyImportResult ImportCompanies(const fs::path& programFolder, const std::vector<std::string>& lines,
                                    ImportProgress& progress, Language language)
{
    VectorLineSource source(lines);
    return ImportCompanies(programFolder, source, progress, language);
}

} // namespace dorvanta
