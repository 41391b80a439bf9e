#pragma once

#include "data/language.h"
#include "net/http_client.h"
#include "update/ole_date.h"
#include "data/settings_store.h"
#include "import/update_progress.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The three update procedures: the auxiliary-file refresh, the business-ads
// update and the company update, talking to the publisher's server one
// request at a time.
namespace dorvanta {

// How an update ended. The status line already says what the user needs to
// know; the value is for callers that act on it (exit codes, tests).
enum class UpdateOutcome
{
    Done,             // applied; the status line holds the count
    NoNewAds,         // "No new opportunities."
    NothingChecked,   // no domain group checked: nothing asked, no message
    DownloadErrors,   // message 5: some ads could not be fetched, or bursa.db could not be opened
    ConnectionFailed, // message 3: the identifier list or the company answer could not be fetched
    DatabaseMissing,  // database.db missing: the box was shown, nothing applied, LastUpdate kept
    Failed,           // a file could not be read or written (the status says which; a full disk, say),
                      // or another failure: see LastError()
    Refused           // another update was running: nothing was done
};

struct RefreshReport
{
    bool manifestFetched = false;
    std::size_t installed = 0; // files downloaded and moved into Internet/, versions stored
    std::size_t failed = 0;    // newer files that could not be downloaded or installed
};

// The date the company update sends: "YYYY-MM-DD".
std::string FormatUpdateDate(const LocalDateTime& when);

// A business-ad answer made one line: line feeds removed, carriage returns
// turned into spaces, spaces and control characters trimmed at both ends.
std::string OneAdLine(std::string_view body);

// An ad identifier as it is put after "id=": "%" and "#" are percent-encoded
// so that the server reads back exactly the identifier it listed (a raw "#"
// would end the request target, a raw "%41" would be read as "A"). The HTTP
// client encodes whatever else cannot stand in a request target.
std::string IdentifierInQuery(std::string_view identifier);

class Updater
{
public:
    using Clock = std::function<LocalDateTime()>;
    using LanguageSource = std::function<Language()>;

    // `serverBase` is the scheme and host without a trailing "/" (see
    // ServerBaseAddress); `clock` gives the local date and time; `language`
    // is asked whenever a text is written. The references must outlive the
    // updater.
    Updater(std::filesystem::path programFolder, std::string serverBase, HttpClient& http,
            SettingsStore& settings, UpdateProgress& progress, Clock clock, LanguageSource language);

    // Downloads into Internet/ every manifest file newer than the installed
    // one. Never reports to the user. Refused (an empty report) while an
    // update is running.
    RefreshReport RefreshInternetFiles();

    // The business-ads update for the groups whose entry is true
    // (checkedGroups[i] is group i, letter 'a' + i, query key "&a<i+1>=1").
    UpdateOutcome UpdateAds(const std::vector<bool>& checkedGroups);

    // Fetches the companies changed since LastUpdate and applies them to database.db.
    UpdateOutcome UpdateCompanies();

    // True while an update runs, including while it waits for the network and
    // the HTTP client's idle callback lets the window handle events; a second
    // update command is then refused.
    bool Running() const { return running_; }

    // The reason of the last Failed outcome (empty otherwise).
    const std::string& LastError() const { return lastError_; }

    // Why the last update could not fetch what it needed, for the user, in
    // the update's language: the failure behind message 3 or 5 ("HTTP 404",
    // "connection refused"; for message 5 the last ad request that failed).
    // Empty when the update succeeded or the status line says it all.
    const std::string& FailureReason() const { return failureReason_; }

    // LastUpdate as stored, or 2000-01-01 00:00:00 when it is missing or unreadable.
    LocalDateTime ReadLastUpdate() const;

private:
    class RunningScope;

    enum class InstallResult
    {
        Installed,
        TimedOut, // the host stayed silent or trickled
        Failed
    };
    RefreshReport Refresh();
    // Downloads `address` into a file of its own in `tempFolder`, then renames it to `target`.
    InstallResult Install(const std::filesystem::path& tempFolder, const std::filesystem::path& target,
                          const std::string& address);
    void CloseConnection();
    void SetStatus(const std::string& text);
    void SetMessage(int number);
    void NoteFailure(const std::exception& error);

    std::filesystem::path folder_;
    std::string server_;
    HttpClient& http_;
    SettingsStore& settings_;
    UpdateProgress& progress_;
    Clock clock_;
    LanguageSource language_;
    bool running_ = false;
    std::string lastError_;
    std::string failureReason_;
};

} // namespace dorvanta
