// dorvanta-sample-data [--dir DIR] [--companies N] [--ads N] [--seed S]
// Writes DIR/database.db and DIR/bursa.db with deterministic sample records.

#include "sample_data.h"

#include "data/record_file.h"
#include "data/utf8_path.h"
#include "platform/console.h"
#include "platform/program_folder.h"
#include "update/folder_state.h"

#include <charconv>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace sample = dorvanta::sample_data;

constexpr std::string_view kUsage =
    "Usage: dorvanta-sample-data [--dir DIR] [--companies N] [--ads N] [--seed S]\n"
    "Writes DIR/database.db and DIR/bursa.db with deterministic sample records.\n"
    "  --dir DIR        folder to write to (default: the folder of this program)\n"
    "  --companies N    number of company records (default 20000)\n"
    "  --ads N          number of business ads, at most 999999 (default 3000)\n"
    "  --seed S         seed of the generator (default 1); the same seed gives the same files\n";

// The whole text must be a decimal number: "12abc" or "-3" are refused
// rather than read as something the user did not mean.
std::optional<std::uint64_t> ParseCount(std::string_view text)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

int UsageError(const std::string& message)
{
    std::cerr << "dorvanta-sample-data: " << message << "\n\n" << kUsage;
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    dorvanta::PrepareStandardStreams();
    const std::vector<std::string> arguments = dorvanta::Utf8Arguments(argc, argv);
    argc = static_cast<int>(arguments.size());
    std::optional<fs::path> dir;
    std::uint64_t companies = sample::kDefaultCompanies;
    std::uint64_t ads = sample::kDefaultAds;
    std::uint64_t seed = sample::kDefaultSeed;

    for (int i = 1; i < argc; ++i) {
        const std::string_view option = arguments[i];
        if (option == "--help" || option == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (option != "--dir" && option != "--companies" && option != "--ads" && option != "--seed") {
            return UsageError("unknown argument '" + std::string(option) + "'");
        }
        if (i + 1 >= argc) {
            return UsageError(std::string(option) + " needs a value");
        }
        const std::string_view value = arguments[++i];
        if (option == "--dir") {
            if (value.empty()) {
                return UsageError("--dir needs a folder");
            }
            dir = dorvanta::PathFromUtf8(value);
            continue;
        }
        const std::optional<std::uint64_t> number = ParseCount(value);
        if (!number) {
            return UsageError(std::string(option) + " needs a whole number, not '" + std::string(value) +
                              "'");
        }
        if (option == "--companies") {
            companies = *number;
        } else if (option == "--ads") {
            if (*number > sample::kMaxAds) {
                return UsageError("--ads can be at most " + std::to_string(sample::kMaxAds));
            }
            ads = *number;
        } else {
            seed = *number;
        }
    }

    const fs::path folder = dir ? *dir : dorvanta::ExecutableFolder();
    try {
        const fs::path companyFile = folder / std::string(dorvanta::kCompanyFileName);
        const fs::path adFile = folder / std::string(dorvanta::kOpportunityFileName);
        sample::WriteSampleCompanies(companyFile, companies, seed);
        sample::WriteSampleOpportunities(adFile, ads, seed);
        // A new database.db holds none of the publisher's changes: a folder
        // that remembered the date of an earlier update asks for all again.
        dorvanta::FolderStateStore(folder).ResetLastUpdate(std::nullopt);
        std::cerr << "Wrote " << companies << " companies to " << dorvanta::Utf8FromPath(companyFile)
                  << " and " << ads << " ads to " << dorvanta::Utf8FromPath(adFile) << "\n";
    } catch (const std::exception& error) {
        std::cerr << "dorvanta-sample-data: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
