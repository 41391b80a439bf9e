// import-register: the trade register's open data made into the directory.

#include "cli/commands.h"
#include "cli/terminal_progress.h"

#include "data/file_access.h"
#include "data/messages.h"
#include "data/record_file.h"
#include "data/utf8_path.h"
#include "import/line_sink.h"
#include "import/register_import.h"
#include "import/register_lines.h"
#include "import/register_snapshot.h"
#include "platform/console.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace dorvanta::cli {

namespace {

// The reading of the snapshot's files, drawn in place on a terminal only.
class ReadingProgress final : public RegisterReadProgress
{
public:
    explicit ReadingProgress(Language language) : language_(language), interactive_(StandardErrorIsTerminal())
    {
    }
    ~ReadingProgress() override { EndLine(); }

    void Reading(std::string_view step, std::uint64_t done, std::uint64_t total) override
    {
        if (!interactive_) {
            return;
        }
        const auto now = std::chrono::steady_clock::now();
        if (step == step_ && now - drawn_ < std::chrono::milliseconds(100) && done != total) {
            return;
        }
        // A step without a size is the ranking of the namesakes between the readings.
        const std::string text =
            total > 0
                ? std::string(Pick(language_, "Reading ", "Citesc ")) + std::string(step) + ": " +
                      std::to_string(done * 100 / total) + "%"
                : std::string(Pick(language_, "Ranking the namesakes", "Ordonez firmele cu acelasi nume"));
        std::string line = "\r" + text;
        if (text.size() < width_) {
            line.append(width_ - text.size(), ' ');
        }
        std::fputs(line.c_str(), stderr);
        std::fflush(stderr);
        step_ = step;
        width_ = text.size();
        drawn_ = now;
    }

    void EndLine()
    {
        if (width_ > 0) {
            std::fputs("\n", stderr);
            width_ = 0;
        }
    }

private:
    Language language_;
    bool interactive_;
    std::string step_;
    std::size_t width_ = 0;
    std::chrono::steady_clock::time_point drawn_{};
};

// Text of the register (UTF-8) on one line of output.
std::string OneLine(std::string_view text)
{
    std::string line(text);
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
        }
    }
    return line;
}

void PrintReport(const RegisterReport& report, const RegisterImportOutcome* applied, double seconds,
                 Language language)
{
    const auto pick = [language](std::string_view en, std::string_view ro) {
        return std::string(Pick(language, en, ro));
    };
    const auto n = [](std::uint64_t value) { return std::to_string(value); };
    std::string text;
    text += pick("Rows read: ", "Randuri citite: ") + n(report.companyRows) +
            pick(" companies, ", " firme, ") + n(report.stateRows) + pick(" states, ", " stari, ") +
            n(report.activityRows) + pick(" activities\n", " activitati\n");
    if (applied) {
        const std::uint64_t added = applied->recordsAfter - applied->recordsBefore;
        text += pick("Companies added: ", "Firme adaugate: ") + n(added) +
                pick(", replaced: ", ", inlocuite: ") +
                n(report.companyLines >= added ? report.companyLines - added : 0) + "\n";
        text += pick("Blanking lines: ", "Linii de stergere: ") + n(report.blankingLines) + "\n";
    } else {
        text += pick("Company lines written: ", "Linii de firme scrise: ") + n(report.companyLines) +
                pick(", blanking lines: ", ", linii de stergere: ") + n(report.blankingLines) + "\n";
    }
    text += pick("Skipped: ", "Omise: ") + n(report.ended) +
            pick(" ended (struck off, dissolved, in liquidation or bankrupt)",
                 " incetate (radiate, dizolvate, in lichidare sau in faliment)") +
            ", " + n(report.shortRows) + pick(" short rows", " randuri scurte") + ", " + n(report.longRows) +
            pick(" long rows", " randuri lungi") + ", " + n(report.noRegistration) +
            pick(" without registration number", " fara numar de inmatriculare") + ", " +
            n(report.duplicateRegistration) +
            pick(" repeating a registration number", " cu numar de inmatriculare repetat") + ", " +
            n(report.noName) + pick(" without a name", " fara denumire") + "\n";
    text += pick("Other rows skipped: states ", "Alte randuri omise: stari ") + n(report.badStateRows) +
            pick(" bad, ", " gresite, ") + n(report.orphanStateRows) +
            pick(" of unknown companies; activities ", " ale unor firme necunoscute; activitati ") +
            n(report.badActivityRows) + pick(" bad, ", " gresite, ") + n(report.orphanActivityRows) +
            pick(" of unknown companies\n", " ale unor firme necunoscute\n");
    text += pick("Unknown county: ", "Judet necunoscut: ") + n(report.unknownCounty) + "\n";
    text += pick("Namesakes given their registration number: ",
                 "Firme cu acelasi nume, cu numarul de inmatriculare adaugat: ") +
            n(report.namesakes) + pick(" (imported: ", " (importate: ") + n(report.namesakesImported) + ")\n";
    text += pick("CAEN classes without a category: ", "Clase CAEN fara categorie: ") +
            n(report.unmappedClasses.size()) + pick(", held ", ", intalnite de ") +
            n(report.unmappedActivities) + pick(" times\n", " ori\n");
    constexpr std::size_t kListed = 20;
    for (std::size_t i = 0; i < report.unmappedClasses.size() && i < kListed; ++i) {
        const RegisterReport::UnmappedClass& unmapped = report.unmappedClasses[i];
        text += "  " + unmapped.code + " (CAEN " + pick("edition ", "editia ") +
                std::to_string(unmapped.edition) + ") " +
                (unmapped.name.empty() ? pick("(no name)", "(fara denumire)") : OneLine(unmapped.name)) +
                ": " + n(unmapped.companies) + pick(" companies\n", " firme\n");
    }
    if (report.unmappedClasses.size() > kListed) {
        text += "  ... " + n(report.unmappedClasses.size() - kListed) + pick(" more\n", " altele\n");
    }
    if (!report.missingFiles.empty()) {
        text += pick("Files not in the snapshot:", "Fisiere care lipsesc:");
        for (const std::string& file : report.missingFiles) {
            text += " " + file;
        }
        text += "\n";
    }
    char time[64];
    std::snprintf(time, sizeof time, "%.1f s\n", seconds);
    text += pick("Time: ", "Durata: ") + time;
    WriteOutput(text);
}

void RunImportRegister(const std::string& folder, bool allStates, const std::string& linesOut,
                       const GlobalOptions& globals)
{
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    const std::filesystem::path snapshot = PathFromUtf8(folder);
    ReadingProgress reading(globals.lang);
    TerminalProgress progress(globals.lang);
    try {
        if (!linesOut.empty()) {
            FileLineSink lines(PathFromUtf8(linesOut));
            const RegisterReport report =
                BuildRegisterLines(snapshot, RegisterLinesOptions{allStates, {}}, lines, nullptr, &reading);
            lines.Close();
            reading.EndLine();
            PrintReport(report, nullptr, elapsed(), globals.lang);
            return;
        }
        const RegisterImportOutcome outcome =
            ImportRegister(DataFolder(globals), snapshot, allStates, progress, &reading, globals.lang);
        reading.EndLine();
        progress.EndLine();
        PrintReport(outcome.report, &outcome, elapsed(), globals.lang);
    } catch (const RegisterFormatError& error) {
        reading.EndLine();
        PrintMessage(error.Text(globals.lang));
        ExitWith(kExitFileError);
    } catch (const FileError& error) {
        reading.EndLine();
        progress.EndLine();
        const bool database = error.path().filename() == std::filesystem::path(kCompanyFileName) ||
                              error.path() == ResolveFile(DataFolder(globals), kCompanyFileName);
        PrintMessage(database ? FileProblemText(error, kCompanyFileName, globals.lang)
                              : FileErrorText(error, globals.lang));
        ExitWith(kExitFileError);
    }
}

} // namespace

void RegisterTradeRegisterCommands(CLI::App& app, const GlobalOptions& globals)
{
    struct Options
    {
        std::string folder;
        bool allStates = false;
        std::string linesOut;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "import-register",
        "Apply a snapshot of the trade register's open data (the folder of OD_FIRME.CSV and the files beside "
        "it) to database.db, creating it when missing");
    command->add_option("FOLDER", options->folder, "The snapshot's folder")->required();
    command->add_flag("--all-states", options->allStates,
                      "Import every company, also those struck off, dissolved, in liquidation or bankrupt");
    command
        ->add_option("--lines-out", options->linesOut,
                     "Write the company lines to FILE instead of applying them")
        ->type_name("FILE");
    command->callback([options, &globals] {
        RunImportRegister(options->folder, options->allStates, options->linesOut, globals);
    });
}

} // namespace dorvanta::cli
