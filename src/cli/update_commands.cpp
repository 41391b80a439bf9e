// update-companies, update-ads, import-companies and import-ads: the two
// updates from the publisher's server, and the same imports applied to lines
// received by other means.

#include "cli/commands.h"
#include "cli/stop_signals.h"
#include "cli/terminal_progress.h"

#include "data/domain_tree.h"
#include "data/messages.h"
#include "data/text.h"
#include "data/utf8_path.h"
#include "import/line_source.h"
#include "import/record_import.h"
#include "net/http_client.h"
#include "platform/console.h"
#include "platform/user_settings.h"
#include "update/folder_state.h"
#include "update/updater.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dorvanta::cli {

namespace {

LocalDateTime LocalNow()
{
    const std::time_t now = std::time(nullptr);
    const std::tm local = LocalTime(now);
    return LocalDateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                         local.tm_hour,        local.tm_min,     local.tm_sec};
}

// "all" or group letters a to j, in any case: which groups to ask for.
CLI::Validator GroupsValidator()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const std::string lower = ToLowerAZ(text);
            if (lower == "all") {
                return {};
            }
            if (lower.empty()) {
                return "expected all or one or more group letters a to j, such as ace";
            }
            if (lower.find_first_not_of(GroupLetters()) != std::string::npos) {
                return "expected all or group letters a to j, such as ace";
            }
            return {};
        },
        "LETTERS");
}

std::vector<bool> CheckedGroups(const std::string& groups)
{
    const std::string lower = ToLowerAZ(groups);
    if (lower == "all") {
        return std::vector<bool>(kGroupCount, true);
    }
    std::vector<bool> checked(kGroupCount, false);
    for (const char letter : lower) {
        if (const std::optional<std::size_t> position = GroupPosition(letter)) {
            checked[*position] = true;
        }
    }
    return checked;
}

void PrintStatus(const std::string& status)
{
    WriteOutput(TerminalText(status) + "\n");
}

// The lines of a file, split as the server's answers are, read as they are
// needed; exits with the file error code when it is not a regular file (a
// device or a pipe could be endless) or cannot be opened.
std::unique_ptr<FileLineSource> OpenLines(const std::string& file, Language language)
{
    const std::filesystem::path path = PathFromUtf8(file);
    std::error_code ec;
    if (std::filesystem::exists(path, ec) && !std::filesystem::is_regular_file(path, ec)) {
        PrintMessage(std::string(Pick(language, "Not a regular file: ", "Nu este un fisier obisnuit: ")) +
                     file);
        ExitWith(kExitFileError);
    }
    try {
        return std::make_unique<FileLineSource>(path);
    } catch (const FileError&) {
        PrintMessage(std::string(Pick(language, "Could not read the file ", "Nu am putut citi fisierul ")) +
                     file);
        ExitWith(kExitFileError);
    }
}

int ExitCode(UpdateOutcome outcome)
{
    switch (outcome) {
    case UpdateOutcome::Done:
    case UpdateOutcome::NoNewAds:
    case UpdateOutcome::NothingChecked:
        return kExitSuccess;
    case UpdateOutcome::DownloadErrors:
    case UpdateOutcome::ConnectionFailed:
    case UpdateOutcome::Refused:
        return kExitNothingFound;
    case UpdateOutcome::DatabaseMissing:
    case UpdateOutcome::Failed:
        return kExitFileError;
    }
    return kExitFileError;
}

template <typename Run> void RunUpdate(const GlobalOptions& globals, Run&& run)
{
    TerminalProgress progress(globals.lang);
    const std::unique_ptr<SettingsStore> userSettings = OpenUserSettings();
    // The state of the updates belongs to the folder they change; the
    // per-user folder's is also written to the user's settings.
    FolderStateStore settings(DataFolder(globals), globals.perUserFolder ? userSettings.get() : nullptr);
    // A stopped update ends its transfer at the next pause, and the answer
    // or download it had begun goes with it.
    CatchStopSignals();
    HttpOptions options;
    options.idle = [] {
        if (StopSignal() != 0) {
            throw HttpError("stopped");
        }
    };
    const std::unique_ptr<HttpClient> http = MakeCurlHttpClient(options);
    Updater updater(DataFolder(globals), ServerBaseAddress(globals.server), *http, settings, progress,
                    LocalNow, [language = globals.lang] { return language; });

    const UpdateOutcome outcome = run(updater);
    progress.EndLine();
    EndByStopSignal();
    if (progress.status) {
        PrintStatus(*progress.status);
    }
    // The status keeps the words of the original program; what went wrong
    // goes to standard error beside it.
    if (!updater.FailureReason().empty()) {
        PrintMessage(updater.FailureReason());
    } else if (outcome == UpdateOutcome::Failed && !progress.status && !updater.LastError().empty()) {
        PrintMessage(updater.LastError());
    }
    const int code = ExitCode(outcome);
    if (code != kExitSuccess) {
        ExitWith(code);
    }
}

void RunImportCompanies(const std::string& file, const GlobalOptions& globals)
{
    const std::unique_ptr<FileLineSource> lines = OpenLines(file, globals.lang);
    TerminalProgress progress(globals.lang);
    try {
        if (ImportCompanies(DataFolder(globals), *lines, progress, globals.lang).databaseMissing) {
            ExitWith(kExitFileError);
        }
    } catch (const FileError& error) {
        progress.EndLine();
        PrintMessage(FileProblemText(error, kCompanyFileName, globals.lang));
        ExitWith(kExitFileError);
    }
    progress.EndLine();
    if (progress.status) {
        PrintStatus(*progress.status);
    }
}

void RunImportAds(const std::string& file, const GlobalOptions& globals)
{
    const std::unique_ptr<FileLineSource> lines = OpenLines(file, globals.lang);
    TerminalProgress progress(globals.lang);
    AdAppendReport report;
    try {
        report = AppendOpportunities(DataFolder(globals), *lines, progress);
    } catch (const FileError& failure) {
        progress.EndLine();
        PrintMessage(FileProblemText(failure, kOpportunityFileName, globals.lang));
        ExitWith(kExitFileError);
    } catch (const std::exception&) {
        progress.EndLine();
        PrintMessage(CannotOpenOpportunityFileText(globals.lang));
        ExitWith(kExitFileError);
    }
    progress.EndLine();
    PrintStatus(AdsAddedText(report.lines, globals.lang));
}

} // namespace

void RegisterUpdateCommands(CLI::App& app, const GlobalOptions& globals)
{
    CLI::App* companies = app.add_subcommand(
        "update-companies", "Fetch the companies changed since the last company update and apply them");
    companies->callback(
        [&globals] { RunUpdate(globals, [](Updater& updater) { return updater.UpdateCompanies(); }); });

    auto groups = std::make_shared<std::string>("all");
    CLI::App* ads = app.add_subcommand(
        "update-ads",
        "Refresh the files of Internet/ and fetch the business ads that bursa.db does not hold");
    ads->add_option("--groups", *groups, "Domain groups to ask for: all, or letters a to j such as ace")
        ->check(GroupsValidator())
        ->capture_default_str();
    ads->callback([groups, &globals] {
        const std::vector<bool> checked = CheckedGroups(*groups);
        RunUpdate(globals, [&checked](Updater& updater) { return updater.UpdateAds(checked); });
    });

    auto companyFile = std::make_shared<std::string>();
    CLI::App* importCompanies = app.add_subcommand(
        "import-companies", "Apply the lines of FILE to database.db as a company answer of the server");
    importCompanies->add_option("FILE", *companyFile, "Company lines (\"!\" add or replace, \"@\" blank)")
        ->required();
    importCompanies->callback([companyFile, &globals] { RunImportCompanies(*companyFile, globals); });

    auto adFile = std::make_shared<std::string>();
    CLI::App* importAds =
        app.add_subcommand("import-ads", "Append each line of FILE to bursa.db as one business ad");
    importAds->add_option("FILE", *adFile, "Business-ad lines, one ad per line")->required();
    importAds->callback([adFile, &globals] { RunImportAds(*adFile, globals); });
}

} // namespace dorvanta::cli
