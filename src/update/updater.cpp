#include "update/updater.h"

#include "data/in_flight_file.h"
#include "data/messages.h"
#include "data/record_file.h"
#include "data/text.h"
#include "import/record_import.h"
#include "update/manifest.h"
#include "update/updater_running_scope.h"

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

// Requests (ads, or auxiliary files) that time out one after the other: after this many the server
// is taken for silent, and the update stops asking.
constexpr int kTimeoutsInARow = 3;

constexpr const char* kRefreshLockName = "refresh.lock";
constexpr std::string_view kDownloadPrefix = "download-";
constexpr std::string_view kDownloadSuffix = ".tmp";

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

void Updater::NoteFailure(const std::exception& error)
{
    const auto* http = dynamic_cast<const HttpError*>(&error);
    failureReason_ = http ? HttpFailureText(*http, language_()) : error.what();
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
    fs::path tempFolder;
    std::optional<FileHandle> refreshLock;
    std::string manifest;
    try {
        tempFolder = ResolveFile(folder_, "Temp");
        fs::create_directories(tempFolder);
        // One refresh at a time, across programs: two at once would fetch
        // the same files and could install each other's half-written ones.
        refreshLock.emplace(tempFolder / kRefreshLockName, true);
        refreshLock->Lock(FileLock::Exclusive);
        RemoveLeftovers(tempFolder, kDownloadPrefix, kDownloadSuffix);
        // The one name every download used to share.
        std::error_code ec;
        fs::remove(tempFolder / "temp.tmp", ec);
        CloseConnection();
        manifest = http_.Get(server_ + kManifestPath);
    } catch (const std::exception&) {
        // Without a manifest there is nothing to refresh; the caller goes on.
        return report;
    }
    report.manifestFetched = true;
    const fs::path internetFolder = ResolveFile(folder_, "Internet");

    int timeouts = 0; // in a row
    for (const std::string& line : SplitLines(manifest)) {
        if (timeouts >= kTimeoutsInARow) {
            // A silent file host would otherwise hold the update for the
            // time-out of every file left; the ads update goes on.
            break;
        }
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
        switch (Install(tempFolder, ResolveFile(internetFolder, entry->name), entry->address)) {
        case InstallResult::Installed:
            WriteFileVersion(settings_, entry->version, entry->name);
            ++report.installed;
            timeouts = 0;
            break;
        case InstallResult::TimedOut:
            ++report.failed;
            ++timeouts;
            break;
        case InstallResult::Failed:
            ++report.failed;
            timeouts = 0;
            break;
        }
    }
    return report;
}

Updater::InstallResult Updater::Install(const fs::path& tempFolder, const fs::path& target,
                                        const std::string& address)
{
    try {
        // A name of its own, locked while it is written: another program's
        // clean-up never takes it, and it never takes another's.
        InFlightFile temp(tempFolder, kDownloadPrefix, kDownloadSuffix);
        {
            std::ofstream out(temp.path(), std::ios::binary | std::ios::in | std::ios::out);
            if (!out) {
                return InstallResult::Failed;
            }
            CloseConnection();
            http_.GetToStream(address, out);
            out.close();
            if (out.fail()) {
                throw FileError(temp.path(), "Cannot write");
            }
        }
        // One rename replaces the old file, so a reader sees either the old
        // file or the whole new one. A missing Internet/ makes it fail.
        temp.Publish(target);
        return InstallResult::Installed;
    } catch (const HttpTimeout&) {
        return InstallResult::TimedOut;
    } catch (const std::exception&) {
        return InstallResult::Failed;
    }
}

UpdateOutcome Updater::UpdateAds(const std::vector<bool>& checkedGroups)
{
    if (running_) {
        return UpdateOutcome::Refused;
    }
    lastError_.clear();
    failureReason_.clear();
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
        } catch (const HttpError& error) {
            NoteFailure(error);
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
        try {
            held = LoadOpportunityIds(folder_);
        } catch (const std::exception& error) {
            // A missing file holds no ads yet. Fetching "everything" again
            // for one that exists would add duplicates of the ads it already
            // holds, or fail to write them anyway. The server is not to
            // blame: the status line says what is.
            std::error_code ec;
            if (fs::exists(ResolveFile(folder_, kOpportunityFileName), ec)) {
                if (const auto* unreadable = dynamic_cast<const FileError*>(&error)) {
                    SetStatus(unreadable->operation() == FileOperation::Open
                                  ? CannotWriteText(*unreadable, language_())
                                  : FileErrorText(*unreadable, language_()));
                    return UpdateOutcome::Failed;
                }
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
            } catch (const HttpTimeout& error) {
                // A silent or trickling server would otherwise hold the update
                // for the time-out of every identifier left.
                NoteFailure(error);
                errors = true;
                ++timeouts;
            } catch (const std::exception& error) {
                NoteFailure(error);
                errors = true;
                timeouts = 0;
            }
            progress_.SetDialogGaugePosition(static_cast<int>(k + 1));
        }

        // Another update may have added some of these ads while we
        // downloaded them: the append passes over what the file holds by then.
        std::size_t appended = 0;
        try {
            appended = AppendNewOpportunities(folder_, ads, progress_).appended;
        } catch (const FileError& failure) {
            // The file could not be written (a full disk), opened for writing
            // (read-only) or created (a folder the user may not write in): say
            // so, as the company update does, and fail as a file does, not as
            // a download.
            SetStatus(failure.operation() == FileOperation::Open ? CannotWriteText(failure, language_())
                                                                 : FileErrorText(failure, language_()));
            failureReason_.clear();
            return UpdateOutcome::Failed;
        } catch (const std::exception&) {
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

} // namespace dorvanta
