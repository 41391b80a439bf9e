// The company import: an answer's lines applied to database.db in batches,
// each batch written on a helper thread while the next one is made ready.

#include "data/messages.h"
#include "data/record_file.h"
#include "data/record_layout.h"
#include "import/background_job.h"
#include "import/company_answer_scan.h"
#include "import/company_file_index.h"
#include "import/company_name_index.h"
#include "import/import_common.h"
#include "import/record_import.h"
#include "import/replaced_records.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

namespace dorvanta {

namespace fs = std::filesystem;
using import_detail::GaugeValue;
using import_detail::LockForWriting;

namespace {

constexpr std::size_t kRecordSize = company_layout::kRecordSize;

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

// One import of company lines into an open (and locked) database.db, or into
// none when the answer holds no valid line.
class CompanyImport
{
public:
    CompanyImport(RecordFile* file, CompanyAnswerScan& scan, ImportProgress& progress,
                  const CompanyImportTuning& tuning)
        : file_(file), scan_(scan), index_(scan.names()), progress_(progress), batchBytes_(tuning.batchBytes),
          pendingFirst_(file ? file->RecordCount() : 0), writtenEarly_(index_.size())
    {
    }

    // Applies every line of `lines`, then writes what is left. On a failure,
    // or when the progress asks to stop between batches, the lines handled
    // before are written (unless a write failed) and the failure is thrown.
    CompanyImportReport Run(LineSource& lines)
    {
        // Read before anything is gathered: a failure here has nothing to write.
        const std::vector<std::uint64_t> cutBlankings =
            file_ ? IndexCompanyFile(*file_, index_) : std::vector<std::uint64_t>{};
        try {
            ClearCutBlankings(cutBlankings);
            lines.Rewind();
            std::string text;
            std::string_view view;
            for (std::size_t i = 0; lines.NextView(view, text); ++i) {
                if (!ApplyLine(i, view)) {
                    continue;
                }
                if (pending_.size() + batch_.bytes() >= batchBytes_) {
                    Flush(false);
                    // Between batches: what was handled is written (below), whole.
                    if (progress_.StopRequested()) {
                        throw ImportStopped();
                    }
                }
                progress_.SetGaugePosition(GaugeValue(i));
            }
            lines.Finished();
            Flush(true);
            return report_;
        } catch (...) {
            // The lines handled before the failure are written now. After a
            // failed write, the batch that failed and the records held back
            // with it are not (see Flush and ReplacedRecords::Write): none is
            // ever written twice, and the import reports the first failure.
            if (!writeFailed_) {
                try {
                    Flush(true);
                } catch (const FileError&) {
                }
            }
            throw;
        }
    }

private:
    // Finished before any line: a line of the empty name that replaces one of
    // these later puts it again, and the later put is written.
    void ClearCutBlankings(const std::vector<std::uint64_t>& cutBlankings)
    {
        for (const std::uint64_t number : cutBlankings) {
            std::memset(batch_.Put(number), 0, kRecordSize);
            if (batch_.bytes() >= batchBytes_) {
                Flush(false);
            }
        }
    }

    // Applies line `i`; false when it wrote no record (invalid, or nothing to do).
    bool ApplyLine(std::size_t i, std::string_view view)
    {
        const CompanyLine line = ParseCompanyLine(view);
        if (!line.valid) {
            return false;
        }
        CompanyNameKey(line.fields[0], upper_);
        const std::string_view key = upper_;
        // The name's number kept by the scan, checked, saves a lookup. The
        // names of lines a little further on are asked for now: the index is
        // far larger than the cache.
        constexpr std::size_t kLinesAhead = 8;
        index_.PrefetchNameEntry(scan_.NameOfLine(i + 2 * kLinesAhead));
        index_.PrefetchNameText(scan_.NameOfLine(i + kLinesAhead));
        CompanyNameIndex::Id id = scan_.NameOfLine(i);
        if (id == CompanyNameIndex::kNoId || index_.Key(id) != key) {
            id = index_.IdOf(key);
        }
        const auto found = id == CompanyNameIndex::kNoId ? std::nullopt : index_.FirstOf(id);
        if (found) {
            ReplaceFound(i, line, id, key, *found);
            ++(line.blank ? report_.blanked : report_.replaced);
            return true;
        }
        if (line.blank) {
            return false;
        }
        if (!key.empty() && scan_.LastLineBlanks(id)) {
            // The record would end blank, and a blank record more at every
            // answer that adds and deletes a company: none is added.
            return false;
        }
        // New records are gathered and written together: an answer adds
        // thousands, and a write for each would cost more than reading the file.
        const std::uint64_t number = pendingFirst_ + pending_.size() / kRecordSize;
        pending_.resize(pending_.size() + kRecordSize);
        FillCompanyRecord(line, pending_.data() + pending_.size() - kRecordSize);
        if (id != CompanyNameIndex::kNoId) {
            index_.AddTo(id, number);
        } else {
            index_.Add(key, number);
        }
        ++report_.added;
        return true;
    }

    void ReplaceFound(std::size_t i, const CompanyLine& line, CompanyNameIndex::Id id, std::string_view key,
                      std::uint64_t found)
    {
        // A line that changes a gathered record changes it in memory.
        const auto record = [&] {
            return found >= pendingFirst_ ? pending_.data() + (found - pendingFirst_) * kRecordSize
                                          : batch_.Put(found);
        };
        const bool named = !line.blank && id == scan_.NameOfLine(i);
        const std::string* last = named && !writtenEarly_[id] ? scan_.LastLineOf(id) : nullptr;
        if (last) {
            // Every later line of the name replaces this same record, and
            // none blanks it: it gets the last one's bytes now, among the
            // records being written, not far behind them later.
            FillCompanyRecord(ParseCompanyLine(*last), record());
            writtenEarly_[id] = true;
        } else if (named && (writtenEarly_[id] || scan_.LookedForAgain(i))) {
            // A later line of the name writes this record whole, replaced or
            // blanked, or an earlier one wrote the last one's bytes: these
            // would only be written over.
        } else {
            FillCompanyRecord(line, record());
        }
        // A match means the name fits its field, so a replaced record keeps
        // its key; a blanked one now holds the empty name.
        if (line.blank && !key.empty()) {
            index_.RemoveFirstOf(id);
            index_.Add(std::string_view(), found);
        }
    }

    // A failed write ends the writing: nothing is written after it.
    void WaitForWriter()
    {
        try {
            writer_.Wait();
        } catch (...) {
            writeFailed_ = true;
            throw;
        }
    }

    // Hands the gathered records to the writer; with `last`, waits for them
    // to be written, the held ones too.
    void Flush(bool last)
    {
        if (!file_) {
            return; // no valid line: nothing was gathered
        }
        WaitForWriter();
        // The batches are taken out before they are written: when a write
        // fails part-way, what reached the file stays, and the error path
        // never writes any of it a second time.
        appending_.clear();
        std::swap(appending_, pending_);
        std::swap(writing_, batch_);
        // The records appended are numbered from here on, written or not: a
        // failed append fails the import, and nothing is written after it.
        pendingFirst_ += appending_.size() / kRecordSize;
        writer_.Start([this, last] {
            replaced_.Write(*file_, writing_, last);
            if (!appending_.empty()) {
                file_->AppendMany(appending_.data(), appending_.size() / kRecordSize);
            }
        });
        if (last) {
            WaitForWriter();
        }
    }

    RecordFile* file_;
    CompanyAnswerScan& scan_;
    CompanyNameIndex& index_;
    ImportProgress& progress_;
    const std::size_t batchBytes_;

    std::vector<std::uint8_t> pending_; // new records, numbered from pendingFirst_
    std::uint64_t pendingFirst_;
    ReplacedRecords replaced_{kRecordSize};
    ReplacedRecords::Batch batch_{kRecordSize};
    // Written by the writer while the next batch is made ready: the writes
    // cost about as much as the lines.
    ReplacedRecords::Batch writing_{kRecordSize};
    std::vector<std::uint8_t> appending_;
    bool writeFailed_ = false;
    // Names whose record was given its last line's bytes at the first.
    std::vector<bool> writtenEarly_;
    std::string upper_;
    CompanyImportReport report_;
    // Last: it ends, joining a running write, before what that write uses.
    BackgroundJob writer_;
};

} // namespace

CompanyImportReport ImportCompanies(const fs::path& programFolder, LineSource& lines,
                                    ImportProgress& progress, Language language,
                                    const CompanyImportTuning& tuning)
{
    // First pass: the names the lines look for.
    CompanyAnswerScan scan;
    std::string text;
    while (lines.Next(text)) {
        scan.AddLine(text);
    }
    return ImportCompanies(programFolder, lines, scan, progress, language, tuning);
}

CompanyImportReport ImportCompanies(const fs::path& programFolder, LineSource& lines, CompanyAnswerScan& scan,
                                    ImportProgress& progress, Language language,
                                    const CompanyImportTuning& tuning)
{
    progress.SetGaugeMaximum(GaugeValue(scan.lines()));
    std::optional<RecordFile> file;
    if (scan.anyValid()) {
        const fs::path path = ResolveFile(programFolder, kCompanyFileName);
        std::error_code ec;
        if (!fs::exists(path, ec)) {
            progress.ShowInformation(kDatabaseMissingText);
            return CompanyImportReport{.databaseMissing = true};
        }
        file.emplace(path, kRecordSize);
        // Held until the last record is written: another import's records
        // and names are all in the file before this one reads it.
        LockForWriting(*file, progress);
    }
    CompanyImportReport report = CompanyImport(file ? &*file : nullptr, scan, progress, tuning).Run(lines);
    if (file) {
        file->Close();
    }
    report.lines = scan.lines();
    progress.SetStatus(CompaniesUpdatedText(scan.lines(), language));
    return report;
}

CompanyImportReport ImportCompanies(const fs::path& programFolder, const std::vector<std::string>& lines,
                                    ImportProgress& progress, Language language,
                                    const CompanyImportTuning& tuning)
{
    VectorLineSource source(lines);
    return ImportCompanies(programFolder, source, progress, language, tuning);
}

} // namespace dorvanta
