#pragma once

#include "data/company_record.h"
#include "data/opportunity_record.h"
#include "data/record_file.h"
#include "support/record_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>
#ifdef _WIN32
#include <process.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

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
#ifdef _WIN32
    const std::filesystem::path executable = BinaryFolder() / (program + ".exe");
#else
    const std::filesystem::path executable = BinaryFolder() / program;
#endif
    const std::string outPath = outputFile.empty() ? (scratch / "out").string() : outputFile;
    const std::string errPath = (scratch / "err").string();

#ifdef _WIN32
    // No fork on Windows: the command interpreter starts the program with
    // the redirections, from UTF-16 text so that any letter survives.
    const auto quoted = [](const std::u8string& word) {
        std::u8string text = u8"\"";
        for (const char8_t c : word) {
            text += c == u8'"' ? std::u8string(u8"\\\"") : std::u8string(1, c);
        }
        return text + u8"\"";
    };
    std::u8string line = u8"\"" + quoted(executable.u8string());
    for (const std::string& argument : arguments) {
        line += u8" " + quoted(std::u8string(argument.begin(), argument.end()));
    }
    line += (outputFile.empty() ? u8" >" : u8" >>") + quoted(std::filesystem::path(outPath).u8string()) +
            u8" 2>" + quoted(std::filesystem::path(errPath).u8string()) + u8"\"";
    RunResult result;
    const std::wstring wide = std::filesystem::path(line).wstring();
    // Under wine, cmd now and then fails to start a program it started the
    // time before (9009, "not recognized", and nothing run); the program
    // itself never exits with 9009.
    for (int attempt = 0; attempt < 3; ++attempt) {
        result.exitCode = ::_wsystem(wide.c_str());
        if (result.exitCode != 9009) {
            break;
        }
    }
#else
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
#endif
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
    WriteRecordFile(path, records);
}

inline void WriteOpportunities(const std::filesystem::path& path,
                               const std::vector<OpportunityRecord>& records)
{
    WriteRecordFile(path, records);
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
