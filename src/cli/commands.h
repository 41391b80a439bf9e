#pragma once

#include "data/language.h"
#include "data/record_file.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <string>
#include <string_view>

namespace dorvanta::cli {

// Options that come before (or, thanks to fall-through, after) the command.
struct GlobalOptions
{
    std::filesystem::path dir;    // the program's folder (program_folder.h)
    bool perUserFolder = false;   // `dir` is the per-user folder, whose state the user's settings mirror
    Language lang = Language::EN; // language of every text printed for people
    std::string server;           // base address of the publisher's server; empty: the built-in one
    std::filesystem::path mine;   // the user's own lists (mine.sqlite); empty: no place for them
};

// Exit codes of the commands. Bad usage exits with CLI11's own codes.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitNothingFound = 1; // no result row, or no record with that number
inline constexpr int kExitFileError = 2;    // a file could not be opened, read or written

// Each adds its commands to the application; the commands read `globals`
// when they run, after the whole command line has been parsed.
void RegisterSearchCommands(CLI::App& app, const GlobalOptions& globals);
void RegisterPageCommands(CLI::App& app, const GlobalOptions& globals);
void RegisterExportCommands(CLI::App& app, const GlobalOptions& globals);
void RegisterUpdateCommands(CLI::App& app, const GlobalOptions& globals);
void RegisterTradeRegisterCommands(CLI::App& app, const GlobalOptions& globals);
// list and note, where the build has the user's lists (DORVANTA_HAVE_MINE).
void RegisterMineCommands(CLI::App& app, const GlobalOptions& globals);

// Helpers shared by the commands (cli_support.cpp).

// The data folder as an absolute path, so the pages name their pictures by
// absolute path whatever the working folder.
std::filesystem::path DataFolder(const GlobalOptions& globals);

// A validator that turns the UTF-8 text the user typed into the Windows-1250
// bytes of the record files, refusing text the code page cannot hold.
CLI::Validator Cp1250Text();

// Stored text for one line of terminal output: UTF-8, with control
// characters (tabs and line breaks included) shown as spaces so that a
// damaged field cannot break the line format or drive the terminal.
std::string TerminalText(std::string_view stored);

// Writes bytes to standard output unchanged; throws std::runtime_error when
// they cannot be written.
void WriteOutput(std::string_view bytes);

// Prints a message on standard error, one line per line of the text:
// carriage returns become line breaks. The message texts are plain ASCII
// (Romanian without diacritics); system reasons and paths are passed as the
// system gives them.
void PrintMessage(std::string_view message);

// What to print when a record file failed: for a file that could not be
// opened the window's text for that file (message 10 when bursa.db is
// missing), then the system's reason; for a later failure (a write on a full
// disk) what failed, the file and the reason.
std::string FileProblemText(const FileError& error, std::string_view fileName, Language language);

// Ends the running command with an exit code (through CLI11, which returns
// it from main without a message of its own).
[[noreturn]] void ExitWith(int code);

} // namespace dorvanta::cli
