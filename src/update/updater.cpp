#include "update/updater.h"

#include "data/messages.h"
#include "data/record_file.h"
#include "data/text.h"
#include "update/background_job.h"
#include "update/company_answer_scan.h"
#include "update/line_source.h"
#include "update/manifest.h"
#include "update/record_import.h"
#include "update/temp_file.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <unordered_set>

namespace dorvanta {

namespace fs = std::filesystem;

namespace {

constexpr const char* kManifestPath = "/ro/update.txt";
constexpr const char* kIdListPath = "/ro/select_o.php?option=all";
constexpr const char* kAdPath = "/ro/select_o.php?option=one&id=";
constexpr const char* kCompaniesPath = "/ro/select_c.php?LastUpdate=";

constexpr LocalDateTime kNoUpdateYet{2000, 1, 1, 0, 0, 0};

// Ad requests that time out one after the other: after this many the server
// is taken for silent, and the update stops asking.
constexpr int kTimeoutsInARow = 3;

// The lines of a company answer in its temporary file, which goes as soon as
// the last line is read: giving back the cached pages of 100 MB takes a
// while, and that goes on while the last records are written. `file` must
// outlive this object.
class AnswerLines final : public LineSource
{
public:
    explicit AnswerLines(std::optional<TempFile>& file) : lines_(file->path()), file_(file) {}

    bool Next(std::string& line) override { return lines_.Next(line); }
    bool NextView(std::string_view& line, std::string& storage) override
    {
        return lines_.NextView(line, storage);
    }
    void Rewind() override { lines_.Rewind(); }
    void Finished() override
    {
        lines_.Finished();
        remover_.Start([this] { file_.reset(); });
    }

private:
    FileLineSource lines_;
    std::optional<TempFile>& file_;
    BackgroundJob remover_; // joined before file_ can go
};

} // namespace

std::string FormatUpdateDate(const LocalDateTime& when)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d-%02d-%02d", when.year, when.month, when.day);
    return text;
}

std::string OneAdLine(std::string_view body)
{
    std::string line;
    line.reserve(body.size());
    for (const char c : body) {
        if (c == '\n') {
            continue;
        }
        line += c == '\r' ? ' ' : c;
    }
    return std::string(Trim(line));
}

std::string IdentifierInQuery(std::string_view identifier)
{
    return PercentEncode(identifier, "%#");
}

// Marks the updater as running for its lifetime; with `gauge`, shows the
// main window's gauge at the start and hides it at every end.
class Updater::RunningScope
{
public:
    RunningScope(Updater& updater, bool gauge) : updater_(updater), gauge_(gauge)
    {
        updater_.running_ = true;
        if (gauge_) {
            updater_.progress_.ShowUpdateProgress();
        }
    }
    ~RunningScope()
    {
        try {
            if (gauge_) {
                updater_.progress_.HideUpdateProgress();
            }
        } catch (...) {
            // Hiding a gauge must not turn an ending update into a crash.
        }
        updater_.running_ = false;
    }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

private:
    Updater& updater_;
    bool gauge_;
};

Updater::Updater(fs::path programFolder, std::string serverBase, HttpClient& http, SettingsStore& settings,
                 UpdateProgress& progress, Clock clock, LanguageSource language)
    : folder_(std::move(programFolder)), server_(std::move(serverBase)), http_(http), settings_(settings),
      progress_(progress), clock_(std::move(clock)), language_(std::move(language))
{
}

void Updater::SetStatus(const std::string& text)
{
    progress_.SetStatus(text);
}

void Updater::SetMessage(int number)
{
    SetStatus(GetMessageText(number, language_()));
}

void Updater::CloseConnection()
{
    try {
        if (http_.Connected()) {
            http_.Disconnect();
        }
    } catch (...) {
        // A connection that does not close cleanly is gone all the same.
    }
}

RefreshReport Updater::RefreshInternetFiles()
{
    if (running_) {
        return {};
    }
    RunningScope scope(*this, false);
    return Refresh();
}

RefreshReport Updater::Refresh()
{
    RefreshReport report;
    fs::path temp;
    std::string manifest;
    try {
        const fs::path tempFolder = ResolveFile(folder_, "Temp");
        fs::create_directories(tempFolder);
        temp = tempFolder / "temp.tmp";
        CloseConnection();
        manifest = http_.Get(server_ + kManifestPath);
    } catch (const std::exception&) {
        // Without a manifest there is nothing to refresh; the caller goes on.
        return report;
    }
    report.manifestFetched = true;
    const fs::path internetFolder = ResolveFile(folder_, "Internet");

    for (const std::string& line : SplitLines(manifest)) {
        if (line.size() < 2 || line[0] != '!') {
            continue;
        }
        const std::optional<ManifestEntry> entry = ParseManifestLine(line);
        if (!entry) {
            continue;
        }
        // A version that is not a number cannot be compared with anything, and
        // a name that leaves Internet/ must never be written.
        const std::optional<int> version = ParseVersion(entry->version);
        if (!version || !IsSafeFileName(entry->name)) {
            continue;
        }
        if (ReadFileVersion(settings_, entry->name) >= *version) {
            continue;
        }
        if (Install(temp, ResolveFile(internetFolder, entry->name), entry->address)) {
            WriteFileVersion(settings_, entry->version, entry->name);
            ++report.installed;
        } else {
            ++report.failed;
        }
    }
    return report;
}

bool Updater::Install(const fs::path& temp, const fs::path& target, const std::string& address)
{
    try {
        {
            std::ofstream out(temp, std::ios::binary | std::ios::trunc);
            if (!out) {
                return false;
            }
            CloseConnection();
            http_.GetToStream(address, out);
            out.close();
            if (out.fail()) {
                throw FileError(temp, "Cannot write");
            }
        }
        // One rename replaces the old file, so a reader sees either the old
        // file or the whole new one. A missing Internet/ makes it fail.
        fs::rename(temp, target);
        return true;
    } catch (const std::exception&) {
        std::error_code ec;
        fs::remove(temp, ec);
        return false;
    }
}

UpdateOutcome Updater::UpdateAds(const std::vector<bool>& checkedGroups)
{
    if (running_) {
        return UpdateOutcome::Refused;
    }
    lastError_.clear();
    RunningScope scope(*this, true);
    try {
        Refresh();

        std::string path = kIdListPath;
        bool anyChecked = false;
        for (std::size_t i = 0; i < checkedGroups.size(); ++i) {
            if (checkedGroups[i]) {
                path += "&a" + std::to_string(i + 1) + "=1";
                anyChecked = true;
            }
        }
        if (!anyChecked) {
            return UpdateOutcome::NothingChecked;
        }

        std::string list;
        try {
            list = http_.Get(server_ + path);
        } catch (const HttpError&) {
            SetMessage(3);
            return UpdateOutcome::ConnectionFailed;
        }
        std::vector<std::string> ids;
        for (std::string& line : SplitLines(list)) {
            if (!IsBlank(line)) {
                ids.push_back(std::move(line));
            }
        }
        if (ids.empty() || ids.front()[0] == '!') {
            SetMessage(8);
            return UpdateOutcome::NoNewAds;
        }

        std::vector<std::string> held;
        if (!LoadOpportunityIds(folder_, held)) {
            std::error_code ec;
            if (fs::exists(ResolveFile(folder_, kOpportunityFileName), ec)) {
                // Fetching "everything" again would add duplicates of the ads
                // the file already holds, or fail to write them anyway.
                SetMessage(5);
                return UpdateOutcome::DownloadErrors;
            }
        }
        std::unordered_set<std::string> heldKeys;
        for (const std::string& id : held) {
            heldKeys.insert(ToUpperAZ(id));
        }
        std::erase_if(ids, [&](const std::string& id) { return heldKeys.count(ToUpperAZ(id)) != 0; });

        progress_.SetDialogGaugeMaximum(static_cast<int>(ids.size()));
        std::vector<std::string> ads;
        bool errors = false;
        int timeouts = 0; // in a row
        for (std::size_t k = 0; k < ids.size() && timeouts < kTimeoutsInARow; ++k) {
            try {
                ads.push_back(OneAdLine(http_.Get(server_ + kAdPath + IdentifierInQuery(ids[k]))));
                timeouts = 0;
            } catch (const HttpTimeout&) {
                // A silent or trickling server would otherwise hold the update
                // for the time-out of every identifier left.
                errors = true;
                ++timeouts;
            } catch (const std::exception&) {
                errors = true;
                timeouts = 0;
            }
            progress_.SetDialogGaugePosition(static_cast<int>(k + 1));
        }

        // Another update may have added some of these ads while we
        // downloaded them: the append passes over what the file holds by then.
        std::size_t appended = 0;
        std::optional<FileError> failure;
        if (!AppendNewOpportunities(folder_, ads, progress_, appended, &failure)) {
            if (failure && failure->operation() != FileOperation::Open) {
                // The file was opened and could not be written (a full disk,
                // say): say so, as the company update does.
                SetStatus(FileErrorText(*failure, language_()));
                return UpdateOutcome::DownloadErrors;
            }
            errors = true;
        }
        if (errors) {
            SetMessage(5);
            return UpdateOutcome::DownloadErrors;
        }
        SetStatus(AdsAddedText(appended, language_()));
        return UpdateOutcome::Done;
    } catch (const std::exception& error) {
        lastError_ = error.what();
        return UpdateOutcome::Failed;
    }
}

LocalDateTime Updater::ReadLastUpdate() const
{
    try {
        const auto bytes = settings_.ReadBinary(kSettingsKey, kLastUpdateValue);
        if (bytes) {
            if (const auto value = OleDateFromBytes(*bytes)) {
                if (const auto when = FromOleDate(*value)) {
                    return *when;
                }
            }
        }
    } catch (const std::exception&) {
        // An unreadable value means: ask for everything since the first day.
    }
    return kNoUpdateYet;
}

UpdateOutcome Updater::UpdateCompanies()
{
    if (running_) {
        return UpdateOutcome::Refused;
    }
    lastError_.clear();
    RunningScope scope(*this, true);
    try {
        const std::string path = kCompaniesPath + FormatUpdateDate(ReadLastUpdate());
        // The first update of a fresh install receives the whole directory:
        // the answer goes to a file as it arrives and is applied line by line
        // from there, so memory does not grow with it.
        std::optional<TempFile> temp;
        try {
            const fs::path tempFolder = ResolveFile(folder_, "Temp");
            fs::create_directories(tempFolder);
            temp.emplace(tempFolder, "companies");
        } catch (const std::exception& error) {
            // Not a problem of database.db: no status text of its own.
            lastError_ = error.what();
            return UpdateOutcome::Failed;
        }
        const fs::path answerFile = temp->path();
        // The lines are scanned for the names they look for as they arrive,
        // so the import reads the file once.
        CompanyAnswerScan scan;
        {
            // Opened without truncating: the file is new and empty, and a
            // truncated file makes some file systems (ext4) write it to disk
            // on close, which an answer of 100 MB that is read back at once
            // and removed never needs.
            std::ofstream file(answerFile, std::ios::binary | std::ios::in | std::ios::out);
            ScanningOutputStream out(file);
            try {
                http_.GetLargeToStream(server_ + path, out,
                                       [this](std::uint64_t received, std::uint64_t total) {
                                           progress_.SetBytesReceived(received, total);
                                       });
            } catch (const HttpError&) {
                if (!out || !file) {
                    // Not the server's fault: the disk is full or the folder is not writable.
                    lastError_ = FileError(answerFile, "Cannot write").what();
                    return UpdateOutcome::Failed;
                }
                SetMessage(3);
                return UpdateOutcome::ConnectionFailed;
            }
            try {
                scan = out.Finish();
            } catch (const std::ios_base::failure&) {
                lastError_ = FileError(answerFile, "Cannot write").what();
                return UpdateOutcome::Failed;
            }
        }
        AnswerLines answer(temp);
        if (ImportCompanies(folder_, answer, scan, progress_, language_()) ==
            CompanyImportResult::DatabaseMissing) {
            // Nothing was applied: the next update must ask from the same date.
            return UpdateOutcome::DatabaseMissing;
        }
        try {
            settings_.WriteBinary(kSettingsKey, kLastUpdateValue, OleDateBytes(ToOleDate(clock_())));
        } catch (const std::exception&) {
            // The changes are applied; an old date only makes the next update
            // ask for some of them again, which gives the same records.
        }
        return UpdateOutcome::Done;
    } catch (const FileError& error) {
        // database.db could not be opened, read or written: say which, in the
        // words the company search uses for a file it cannot open.
        lastError_ = error.what();
        SetStatus(FileErrorText(error, language_()));
        return UpdateOutcome::Failed;
    } catch (const std::exception& error) {
        lastError_ = error.what();
        return UpdateOutcome::Failed;
    }
}

} // namespace dorvanta
