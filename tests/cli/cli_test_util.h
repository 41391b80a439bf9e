#pragma once

#include "data/company_record.h"
#include "data/opportunity_record.h"
#include "data/record_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// Runs the built programs as a user would and looks at what they print.
namespace dorvanta::test {

struct RunResult
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// The folder of the built executables, given to the tests by ctest.
inline std::filesystem::path BinaryFolder()
{
    const char* dir = std::getenv("DORVANTA_BIN_DIR");
    return dir != nullptr ? std::filesystem::path(dir) : std::filesystem::path();
}

// Runs `program` (a file of the binary folder) with `arguments`, standard
// output and error going to files of a scratch folder (or standard output to
// `outputFile`), and waits for it.
inline RunResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                            const std::string& outputFile = {})
{
    TempDir scratch;
    const std::filesystem::path executable = BinaryFolder() / program;
    const std::string outPath = outputFile.empty() ? (scratch / "out").string() : outputFile;
    const std::string errPath = (scratch / "err").string();

    std::vector<std::string> words{executable.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    RunResult result;
    const pid_t child = ::fork();
    if (child == 0) {
        const int out =
            ::open(outPath.c_str(), O_WRONLY | O_CREAT | (outputFile.empty() ? O_TRUNC : 0), 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) {
            ::_exit(126);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (child < 0) {
        ADD_FAILURE() << "cannot start " << executable;
        return result;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (outputFile.empty()) {
        result.out = ReadBytes(outPath);
    }
    result.err = ReadBytes(errPath);
    if (result.exitCode == 127) {
        ADD_FAILURE() << "cannot run " << executable << " (is DORVANTA_BIN_DIR set?)";
    }
    return result;
}

inline RunResult RunCli(const TempDir& dir, std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), {"--dir", dir.path().string()});
    return RunProgram("dorvanta-cli", arguments);
}

inline void WriteCompanies(const std::filesystem::path& path, const std::vector<CompanyRecord>& records)
{
    std::string bytes;
    for (const CompanyRecord& record : records) {
        const CompanyRecord::Raw raw = record.Encode();
        bytes.append(reinterpret_cast<const char*>(raw.data()), raw.size());
    }
    WriteBytes(path, bytes);
}

inline void WriteOpportunities(const std::filesystem::path& path,
                               const std::vector<OpportunityRecord>& records)
{
    std::string bytes;
    for (const OpportunityRecord& record : records) {
        const OpportunityRecord::Raw raw = record.Encode();
        bytes.append(reinterpret_cast<const char*>(raw.data()), raw.size());
    }
    WriteBytes(path, bytes);
}

inline CompanyRecord Company(std::string name, std::string county = "", std::string activity1 = "",
                             std::string activity2 = "")
{
    CompanyRecord record;
    record.Company = std::move(name);
    record.County = std::move(county);
    record.Activity1 = std::move(activity1);
    record.Activity2 = std::move(activity2);
    return record;
}

inline OpportunityRecord Ad(std::string id, std::string group, std::string type, std::string subject,
                            std::string county = "")
{
    OpportunityRecord record;
    record.AdId = std::move(id);
    record.DomainLetter = std::move(group);
    record.AdType = std::move(type);
    record.Subject = std::move(subject);
    record.County = std::move(county);
    return record;
}

} // namespace dorvanta::test
