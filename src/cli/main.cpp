// dorvanta-cli: the searches, pages and exports of Dorvanta on the command line.

#include "cli/commands.h"
#include "data/utf8_path.h"
#include "platform/console.h"
#include "platform/program_folder.h"
#include "platform/user_settings.h"
#include "data/settings_store.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace dorvanta::cli;

    dorvanta::PrepareStandardStreams();
    // CLI11 reads the arguments as UTF-8 text, whatever the system's code page.
    std::vector<std::string> arguments = dorvanta::Utf8Arguments(argc, argv);
    std::reverse(arguments.begin() + (arguments.empty() ? 0 : 1), arguments.end());
    if (!arguments.empty()) {
        arguments.erase(arguments.begin());
    }

    GlobalOptions globals;
    std::filesystem::path dirOption;
    const std::unique_ptr<dorvanta::SettingsStore> userSettings = dorvanta::OpenUserSettings();

    CLI::App app{
        "Searches, pages and exports of the Dorvanta directory of Romanian companies and business ads.",
        "dorvanta-cli"};
    app.require_subcommand(1);
    // Global options may also follow the command.
    app.fallthrough();
    app.add_option_function<std::string>(
           "--dir", [&dirOption](const std::string& dir) { dirOption = dorvanta::PathFromUtf8(dir); },
           "The program's folder, holding database.db, bursa.db, icon/, Internet/ and Help/ (default: "
           "$DORVANTA_DIR, else the folder of this program when it is writable, else the per-user "
           "folder filled from the installed files)")
        ->type_name("DIR");
    app.add_option_function<std::string>(
           "--lang",
           [&globals](const std::string& code) { globals.lang = dorvanta::NormaliseLanguage(code); },
           "Language of the texts and pages (default EN)")
        ->transform(CLI::IsMember({"EN", "RO"}, CLI::ignore_case));
    app.add_option("--server", globals.server, "Address of the publisher's web server, for the updates")
        ->type_name("URL");
    std::filesystem::path mineOption;
    app.add_option_function<std::string>(
           "--mine", [&mineOption](const std::string& file) { mineOption = dorvanta::PathFromUtf8(file); },
           "The file of your own lists and notes (default: mine.sqlite beside your settings)")
        ->type_name("FILE");

    // Decided once the whole command line is read, before the command runs.
    app.parse_complete_callback([&globals, &dirOption, &mineOption, &userSettings] {
        globals.mine = mineOption.empty() ? dorvanta::MineDatabaseFile() : mineOption;
        const std::filesystem::path executable = dorvanta::ExecutableFolder();
        const dorvanta::PreparedProgramFolder prepared = dorvanta::PrepareProgramFolder(
            {dirOption, dorvanta::EnvironmentPath("DORVANTA_DIR"), executable,
             dorvanta::InstalledCopyFolder(executable), dorvanta::PerUserDataFolder(), userSettings.get()});
        for (const std::string& problem : prepared.problems) {
            std::cerr << "dorvanta-cli: " << problem << "\n";
        }
        globals.dir = prepared.folder;
        globals.perUserFolder = prepared.perUser;
    });

    RegisterSearchCommands(app, globals);
    RegisterPageCommands(app, globals);
    RegisterExportCommands(app, globals);
    RegisterUpdateCommands(app, globals);
    RegisterTradeRegisterCommands(app, globals);
#ifdef DORVANTA_HAVE_MINE
    RegisterMineCommands(app, globals);
#endif

    int code = kExitSuccess;
    try {
        app.parse(arguments);
    } catch (const CLI::ParseError& error) {
        code = app.exit(error);
    } catch (const std::exception& error) {
        std::cerr << "dorvanta-cli: " << error.what() << "\n";
        code = kExitFileError;
    }
    // A failure to write the output must not pass for success; a failure
    // already reported keeps its own message and code.
    const bool writeFailed = std::fflush(stdout) != 0 || std::ferror(stdout);
    if (writeFailed && (code == kExitSuccess || code == kExitNothingFound)) {
        std::cerr << "dorvanta-cli: cannot write to standard output\n";
        code = kExitFileError;
    }
    return code;
}
