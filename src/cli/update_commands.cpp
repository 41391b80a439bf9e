// update-companies, update-ads, import-companies and import-ads: the two
// updates from the publisher's server, and the same imports applied to lines
// received by other means.

#include "cli/commands.h"

#include "data/messages.h"
#include "data/text.h"
#include "platform/qt_settings_store.h"
#include "update/http_client.h"
#include "update/record_import.h"
#include "update/updater.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace dorvanta::cli {

namespace {

constexpr std::size_t kGroupCount = 10;
constexpr int kBarWidth = 30;

// The window's outlets on a terminal: the status text is kept for the end,
// the information box goes to standard error, and the dialog's per-ad gauge
// becomes a bar on standard error.
class TerminalProgress : public UpdateProgress
{
public:
    explicit TerminalProgress(Language language) : language_(language) {}
    void SetGaugeMaximum(int) override {}
    void SetGaugePosition(int) override {}
    void SetStatus(const std::string& text) override { status = text; }
    void ShowInformation(const std::string& text) override { PrintMessage(text); }
    void WaitingForFile(const std::string& fileName) override
    {
        PrintMessage(WaitingForFileText(fileName, language_));
    }
    void ShowUpdateProgress() override {}
    void HideUpdateProgress() override { EndBar(); }
    void SetDialogGaugeMaximum(int maximum) override
    {
        maximum_ = maximum;
        if (maximum_ > 0) {
            DrawBar(0);
        }
    }
    void SetDialogGaugePosition(int position) override
    {
        if (maximum_ > 0) {
            DrawBar(position);
        }
    }

    std::optional<std::string> status;

private:
    void DrawBar(int position)
    {
        const int filled = static_cast<int>(static_cast<long long>(position) * kBarWidth / maximum_);
        // On a terminal the bar is redrawn in place; into a file, only whole
        // tenths are written, so a log does not fill with bars.
        const int tenth = static_cast<int>(static_cast<long long>(position) * 10 / maximum_);
        if (!interactive_ && drawn_ && tenth == lastTenth_ && position != maximum_) {
            return;
        }
        lastTenth_ = tenth;
        std::string line = interactive_ ? "\r" : "";
        line += "Ads [" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " +
                std::to_string(position) + "/" + std::to_string(maximum_);
        if (!interactive_) {
            line += '\n';
        }
        std::fputs(line.c_str(), stderr);
        std::fflush(stderr);
        drawn_ = true;
    }
    void EndBar()
    {
        if (drawn_ && interactive_) {
            std::fputs("\n", stderr);
            std::fflush(stderr);
        }
        drawn_ = false;
    }

    Language language_;
    int maximum_ = 0;
    int lastTenth_ = -1;
    bool drawn_ = false;
    bool interactive_ = ::isatty(2) == 1;
};

LocalDateTime LocalNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
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
            if (lower.find_first_not_of("abcdefghij") != std::string::npos) {
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
    for (const char c : lower) {
        checked[static_cast<std::size_t>(c - 'a')] = true;
    }
    return checked;
}

void PrintStatus(const std::string& status)
{
    WriteOutput(TerminalText(status) + "\n");
}

// The lines of a file, split as the server's answers are; exits with the file
// error code when it cannot be read.
std::vector<std::string> ReadLines(const std::string& file, Language language)
{
    std::error_code ec;
    std::ifstream in;
    if (!std::filesystem::is_directory(file, ec)) {
        in.open(file, std::ios::binary);
    }
    std::ostringstream bytes;
    if (in) {
        bytes << in.rdbuf();
    }
    if (!in.is_open() || in.bad()) {
        PrintMessage(std::string(Pick(language, "Could not read the file ", "Nu am putut citi fisierul ")) +
                     file);
        ExitWith(kExitFileError);
    }
    return SplitLines(bytes.str());
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
    QtSettingsStore settings;
    const std::unique_ptr<HttpClient> http = MakeCurlHttpClient();
    Updater updater(DataFolder(globals), ServerBaseAddress(globals.server), *http, settings, progress,
                    LocalNow, [language = globals.lang] { return language; });

    const UpdateOutcome outcome = run(updater);
    if (progress.status) {
        PrintStatus(*progress.status);
    }
    if (outcome == UpdateOutcome::Failed && !updater.LastError().empty()) {
        PrintMessage(updater.LastError());
    }
    const int code = ExitCode(outcome);
    if (code != kExitSuccess) {
        ExitWith(code);
    }
}

void RunImportCompanies(const std::string& file, const GlobalOptions& globals)
{
    const std::vector<std::string> lines = ReadLines(file, globals.lang);
    TerminalProgress progress(globals.lang);
    try {
        if (ImportCompanies(DataFolder(globals), lines, progress, globals.lang) ==
            CompanyImportResult::DatabaseMissing) {
            ExitWith(kExitFileError);
        }
    } catch (const FileError& error) {
        PrintMessage(FileProblemText(error, kCompanyFileName, globals.lang));
        ExitWith(kExitFileError);
    }
    if (progress.status) {
        PrintStatus(*progress.status);
    }
}

void RunImportAds(const std::string& file, const GlobalOptions& globals)
{
    const std::vector<std::string> lines = ReadLines(file, globals.lang);
    TerminalProgress progress(globals.lang);
    std::optional<FileError> failure;
    if (!AppendOpportunities(DataFolder(globals), lines, progress, &failure)) {
        PrintMessage(failure ? FileProblemText(*failure, kOpportunityFileName, globals.lang)
                             : CannotOpenOpportunityFileText(globals.lang));
        ExitWith(kExitFileError);
    }
    PrintStatus(AdsAddedText(lines.size(), globals.lang));
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
