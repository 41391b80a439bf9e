// Filling the per-user folder from the installed copy: which files it takes,
// how a copy is made so that no interruption leaves a partial file for good,
// and the folder's state that goes with the files.
#include "platform/program_folder.h"

#include "data/file_access.h"
#include "data/in_flight_file.h"
#include "data/language.h"
#include "data/messages.h"
#include "data/record_file.h"
#include "data/text.h"
#include "update/folder_state.h"
#include "update/manifest.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <system_error>

namespace dorvanta {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFolderNames[] = {"icon", "Internet", "Help"};

std::string PathText(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string Problem(const std::string& what, const fs::path& path, const std::string& reason)
{
    return what + " " + PathText(path) + ": " + reason;
}

// The name a copy of `target` has while it is written: hidden, and known to
// the clean-up of the next start.
std::string CopyPrefix(const fs::path& target)
{
    const std::u8string name = target.filename().u8string();
    return "." + std::string(name.begin(), name.end()) + ".copying-";
}

struct StdioCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Copies `source` to `target` block by block through the file seam, so that
// a full disk is told as a full disk (a short copy is no input/output
// error). A database is never put over a file that appeared meanwhile
// (another start may already be writing into it). True when the copy took
// the name.
bool CopyWhole(const fs::path& source, const fs::path& target, bool database,
               std::vector<std::string>& problems)
{
    try {
        InFlightFile copy(target.parent_path(), CopyPrefix(target), "");
        errno = 0;
        const std::unique_ptr<std::FILE, StdioCloser> in(OpenStdioFile(source, "rb"));
        if (!in) {
            throw FileError(source, FileOperation::Open, errno != 0 ? errno : EIO);
        }
        std::vector<char> block(1 << 20);
        std::uint64_t offset = 0;
        for (;;) {
            errno = 0;
            const std::size_t got = std::fread(block.data(), 1, block.size(), in.get());
            if (got == 0) {
                if (std::ferror(in.get())) {
                    throw FileError(source, FileOperation::Read, errno != 0 ? errno : EIO);
                }
                break;
            }
            std::size_t done = 0;
            copy.file().WriteAt(offset, block.data(), got, done);
            offset += got;
        }
        fs::last_write_time(copy.path(), fs::last_write_time(source));
        if (database) {
            return copy.PublishIfAbsent(target);
        }
        copy.Publish(target);
        return true;
    } catch (const FileError& error) {
        problems.push_back(Problem("Cannot copy the installed file to", target,
                                   error.error() != 0 ? FileReasonText(error, Language::EN) : error.what()));
    } catch (const fs::filesystem_error& error) {
        problems.push_back(Problem("Cannot copy the installed file to", target, error.code().message()));
    }
    return false;
}

bool MakeFolder(const fs::path& folder, std::vector<std::string>& problems)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        problems.push_back(Problem("Cannot create the folder", folder, ec.message()));
    }
    return !ec;
}

// The installed copy's file versions: "!" version ";" name ";" lines.
std::map<std::string, int> PackageVersions(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::map<std::string, int> versions;
    for (const std::string& line : SplitLines(text)) {
        const std::size_t first = line.find(';');
        const std::size_t second = first == std::string::npos ? first : line.find(';', first + 1);
        if (!line.starts_with('!') || second == std::string::npos) {
            continue;
        }
        if (const auto version = ParseVersion(std::string_view(line).substr(1, first - 1))) {
            versions[line.substr(first + 1, second - first - 1)] = *version;
        }
    }
    return versions;
}

std::vector<std::string> InternetNames(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator entry(folder, ec); !ec && entry != fs::directory_iterator();
         entry.increment(ec)) {
        std::error_code typeError;
        if (entry->is_regular_file(typeError)) {
            const std::u8string name = entry->path().filename().u8string();
            names.emplace_back(name.begin(), name.end());
        }
    }
    return names;
}

// The databases: copied where the folder has none; a new database.db
// begins the folder's state anew.
void FillDatabases(const fs::path& installedCopy, const fs::path& folder, FolderStateStore& state,
                   std::vector<std::string>& problems)
{
    for (const std::string_view name : {kCompanyFileName, kOpportunityFileName}) {
        const fs::path installed = installedCopy / name;
        const fs::path target = folder / name;
        // Partial copies of starts that were killed: on a nearly full disk
        // they would keep every later copy from fitting.
        RemoveLeftovers(folder, CopyPrefix(target), "");
        std::error_code ec;
        if (!fs::is_regular_file(installed, ec) || fs::exists(target, ec)) {
            continue;
        }
        if (CopyWhole(installed, target, true, problems) && name == kCompanyFileName) {
            std::optional<std::vector<std::uint8_t>> date;
            try {
                FolderStateStore installedState(installedCopy);
                date = installedState.ReadBinary(kSettingsKey, kLastUpdateValue);
            } catch (const std::exception&) {
            }
            try {
                state.ResetLastUpdate(date);
            } catch (const std::exception& error) {
                problems.push_back(Problem("Cannot write the state of", folder, error.what()));
            }
        }
    }
}

} // namespace

std::vector<std::string> FillFromInstalledCopy(const fs::path& installedCopy, const fs::path& folder,
                                               SettingsStore* userSettings)
{
    std::vector<std::string> problems;
    FolderStateStore state(folder, userSettings);
    std::error_code ec;
    if (fs::exists(folder / kCompanyFileName, ec) && !state.Exists()) {
        try {
            if (userSettings) {
                state.Adopt(*userSettings, InternetNames(folder / "Internet"));
            }
        } catch (const std::exception& error) {
            problems.push_back(Problem("Cannot write the state of", folder, error.what()));
        }
    }
    FillDatabases(installedCopy, folder, state, problems);

    const std::map<std::string, int> packageVersions =
        PackageVersions(installedCopy / "Internet" / std::string(kPackageVersionsFileName));
    std::map<std::string, std::string> copiedVersions;
    // Only the program's own folders: on Windows the installed copy is the
    // executable's folder, whose programs and libraries stay where they are.
    for (const char* folderName : kFolderNames) {
        const fs::path from = installedCopy / folderName;
        if (!fs::is_directory(from, ec)) {
            continue;
        }
        const bool internet = std::string_view(folderName) == "Internet";
        fs::recursive_directory_iterator entry(from, fs::directory_options::skip_permission_denied, ec);
        for (; !ec && entry != fs::recursive_directory_iterator(); entry.increment(ec)) {
            std::error_code typeError;
            if (!entry->is_regular_file(typeError)) {
                continue;
            }
            const fs::path installed = entry->path();
            const fs::path target = folder / installed.lexically_relative(installedCopy);
            const std::u8string name8 = installed.filename().u8string();
            const std::string name(name8.begin(), name8.end());
            if (internet && name == kPackageVersionsFileName) {
                continue;
            }
            if (!MakeFolder(target.parent_path(), problems)) {
                continue;
            }
            RemoveLeftovers(target.parent_path(), CopyPrefix(target), "");
            std::error_code existsError;
            bool wanted = !fs::exists(target, existsError);
            const auto packageVersion = packageVersions.find(name);
            if (!wanted && internet) {
                wanted = packageVersion != packageVersions.end() &&
                         packageVersion->second > ReadFileVersion(state, name);
            } else if (!wanted) {
                std::error_code timeError;
                const auto installedTime = fs::last_write_time(installed, timeError);
                const auto userTime = timeError ? installedTime : fs::last_write_time(target, timeError);
                wanted = !timeError && installedTime > userTime;
            }
            if (wanted && CopyWhole(installed, target, false, problems) && internet &&
                packageVersion != packageVersions.end()) {
                copiedVersions[name] = std::to_string(packageVersion->second);
            }
        }
        if (ec) {
            problems.push_back(Problem("Cannot read the installed files in", from, ec.message()));
            ec.clear();
        }
    }
    try {
        state.WriteVersions(copiedVersions);
    } catch (const std::exception& error) {
        problems.push_back(Problem("Cannot write the state of", folder, error.what()));
    }
    return problems;
}

} // namespace dorvanta
