// list and note: the user's own lists and notes (mine.sqlite), shared with
// the window.

#include "cli/commands.h"
#include "cli/cp1250.h"

#include "data/messages.h"
#include "data/utf8_path.h"
#include "mine/company_export.h"
#include "mine/company_lookup.h"
#include "mine/mine_store.h"
#include "import/record_import.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dorvanta::cli {

namespace {

struct ListArguments
{
    std::string list;
    std::vector<std::string> companies;
    std::string file;
};

struct NoteArguments
{
    std::string company;
    std::string text;
};

// Runs a command on the store, turning the store's and database.db's
// failures into a message and exit code 2.
template <typename Work> void WithStore(const GlobalOptions& globals, Work&& work)
{
    if (globals.mine.empty()) {
        PrintMessage("There is no place for the lists file (no home folder); give one with --mine FILE.");
        ExitWith(kExitFileError);
    }
    try {
        MineStore store(globals.mine);
        work(store);
    } catch (const MineError& error) {
        PrintMessage(error.what());
        ExitWith(kExitFileError);
    } catch (const FileError& error) {
        PrintMessage(FileProblemText(error, kCompanyFileName, globals.lang));
        ExitWith(kExitFileError);
    }
}

// UTF-8 text (a list's name, a note) for one line of terminal output:
// control characters shown as spaces, as TerminalText does for stored text.
std::string Utf8Line(std::string text)
{
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            c = ' ';
        }
    }
    return text;
}

bool IsRecordNumber(std::string_view text)
{
    return !text.empty() && text.size() <= 18 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The name key a COMPANY argument stands for: a record number is the name
// that record holds now; anything else is the exact name. Nothing (with a
// message printed) when the argument names no company; `mustExist` asks
// that a name be found in database.db too.
std::optional<std::string> CompanyKey(const GlobalOptions& globals, const std::string& argument,
                                      bool mustExist)
{
    if (IsRecordNumber(argument)) {
        const std::optional<CompanyRecord> record =
            ReadCompanyRecord(DataFolder(globals), std::stoull(argument));
        if (!record) {
            PrintMessage("There is no record " + argument + " in database.db.");
            return std::nullopt;
        }
        if (record->IsDeleted()) {
            PrintMessage("Record " + argument + " is a deleted record.");
            return std::nullopt;
        }
        return CompanyNameKey(record->Company);
    }
    const std::optional<std::string> bytes = Utf8ToCp1250(argument);
    if (!bytes || bytes->empty()) {
        PrintMessage("Not a company name of the directory: " + argument);
        return std::nullopt;
    }
    if (mustExist && !LookUpCompanies(DataFolder(globals), {*bytes}).front().recordNumber) {
        PrintMessage("No company of database.db is named " + argument + ".");
        return std::nullopt;
    }
    return CompanyNameKey(*bytes);
}

std::vector<MineEntry> EntriesOrExit(MineStore& store, const std::string& list)
{
    std::optional<std::vector<MineEntry>> entries = store.Entries(list);
    if (!entries) {
        PrintMessage("There is no list named " + list + ".");
        ExitWith(kExitNothingFound);
    }
    return std::move(*entries);
}

// The list's companies as database.db holds them now, with their notes.
std::vector<ExportCompany> ListCompanies(MineStore& store, const GlobalOptions& globals,
                                         const std::string& list)
{
    std::vector<std::string> names;
    for (const MineEntry& entry : EntriesOrExit(store, list)) {
        names.push_back(entry.name);
    }
    std::vector<ExportCompany> companies;
    for (ListedCompany& found : LookUpCompanies(DataFolder(globals), names)) {
        ExportCompany company;
        company.recordNumber = found.recordNumber;
        company.record = std::move(found.record);
        if (!company.recordNumber) {
            company.record.Company = found.name;
        }
        company.note = store.Note(found.name).value_or(std::string());
        companies.push_back(std::move(company));
    }
    return companies;
}

void ReportGone(const std::vector<ExportCompany>& companies, const std::string& list)
{
    const auto gone = std::count_if(companies.begin(), companies.end(),
                                    [](const ExportCompany& company) { return !company.recordNumber; });
    if (gone > 0) {
        PrintMessage(std::to_string(gone) + " of the " + std::to_string(companies.size()) + " companies of " +
                     list +
                     " are no longer in the directory (blanked or removed by an update); kept in the "
                     "list, marked \"gone\".");
    }
}

void ShowLists(MineStore& store)
{
    std::string out;
    for (const MineList& list : store.Lists()) {
        out += Utf8Line(list.name) + '\t' + std::to_string(list.entries) + '\n';
    }
    WriteOutput(out);
}

void ShowList(MineStore& store, const GlobalOptions& globals, const std::string& list)
{
    const std::vector<ExportCompany> companies = ListCompanies(store, globals, list);
    std::string out;
    for (const ExportCompany& company : companies) {
        out += company.recordNumber ? std::to_string(*company.recordNumber) : std::string("gone");
        out += '\t';
        out += TerminalText(company.record.Company);
        out += '\t';
        out += Utf8Line(company.note);
        out += '\n';
    }
    WriteOutput(out);
    ReportGone(companies, list);
}

void RegisterListCommands(CLI::App& app, const GlobalOptions& globals)
{
    CLI::App* list =
        app.add_subcommand("list", "Your own lists of companies (Favourites and lists you name)");
    list->require_subcommand(1);
    auto arguments = std::make_shared<ListArguments>();

    CLI::App* create = list->add_subcommand("create", "Make a new, empty list");
    create->add_option("NAME", arguments->list, "Name of the list")->required();
    create->callback([arguments, &globals] {
        WithStore(globals, [&](MineStore& store) {
            if (!store.CreateList(arguments->list)) {
                PrintMessage("A list named " + arguments->list + " already exists.");
                ExitWith(kExitNothingFound);
            }
        });
    });

    CLI::App* remove = list->add_subcommand("delete", "Delete a list (its companies' notes stay)");
    remove->add_option("NAME", arguments->list, "Name of the list")->required();
    remove->callback([arguments, &globals] {
        WithStore(globals, [&](MineStore& store) {
            if (!store.DeleteList(arguments->list)) {
                PrintMessage("There is no list named " + arguments->list + ".");
                ExitWith(kExitNothingFound);
            }
        });
    });

    CLI::App* add = list->add_subcommand("add", "Add companies (record numbers or exact names) to a list");
    add->add_option("NAME", arguments->list, "Name of the list")->required();
    add->add_option("COMPANY", arguments->companies, "Record number or exact company name")->required();
    add->callback([arguments, &globals] {
        WithStore(globals, [&](MineStore& store) {
            EntriesOrExit(store, arguments->list);
            // Every company is found before anything is added: a typing
            // mistake adds nothing rather than half of the names.
            std::vector<std::string> keys;
            for (const std::string& company : arguments->companies) {
                std::optional<std::string> key = CompanyKey(globals, company, true);
                if (!key) {
                    ExitWith(kExitNothingFound);
                }
                keys.push_back(std::move(*key));
            }
            for (const std::string& key : keys) {
                store.Add(arguments->list, key);
            }
        });
    });

    CLI::App* take = list->add_subcommand("remove", "Remove companies from a list");
    take->add_option("NAME", arguments->list, "Name of the list")->required();
    take->add_option("COMPANY", arguments->companies, "Record number or exact company name")->required();
    take->callback([arguments, &globals] {
        WithStore(globals, [&](MineStore& store) {
            EntriesOrExit(store, arguments->list);
            bool allThere = true;
            for (const std::string& company : arguments->companies) {
                const std::optional<std::string> key = CompanyKey(globals, company, false);
                if (!key || !store.Remove(arguments->list, *key)) {
                    if (key) {
                        PrintMessage(company + " is not in " + arguments->list + ".");
                    }
                    allThere = false;
                }
            }
            if (!allThere) {
                ExitWith(kExitNothingFound);
            }
        });
    });

    CLI::App* show = list->add_subcommand(
        "show", "Without NAME, the lists and their sizes; with NAME, its companies: record number (gone when "
                "no longer in the directory), name and note, tab-separated");
    show->add_option("NAME", arguments->list, "Name of the list");
    show->callback([arguments, show, &globals] {
        WithStore(globals, [&](MineStore& store) {
            if (show->count("NAME") == 0) {
                ShowLists(store);
            } else {
                ShowList(store, globals, arguments->list);
            }
        });
    });

    CLI::App* exportList =
        list->add_subcommand("export", "Write a list as .csv, .xlsx or .vcf (by the file's extension)");
    exportList->add_option("NAME", arguments->list, "Name of the list")->required();
    exportList->add_option("FILE", arguments->file, "The file to write")->required();
    exportList->callback([arguments, &globals] {
        WithStore(globals, [&](MineStore& store) {
            const std::filesystem::path file = PathFromUtf8(arguments->file);
            if (!ExportKindOf(file)) {
                PrintMessage("The file must end in .csv, .xlsx or .vcf: " + arguments->file);
                ExitWith(kExitFileError);
            }
            const std::vector<ExportCompany> companies = ListCompanies(store, globals, arguments->list);
            WriteCompaniesFile(file, companies);
            ReportGone(companies, arguments->list);
        });
    });
}

void RegisterNoteCommand(CLI::App& app, const GlobalOptions& globals)
{
    auto arguments = std::make_shared<NoteArguments>();
    CLI::App* note = app.add_subcommand(
        "note", "Print a company's note; with TEXT, replace it (an empty TEXT removes it)");
    note->add_option("COMPANY", arguments->company, "Record number or exact company name")->required();
    CLI::Option* text = note->add_option("TEXT", arguments->text, "The new note");
    note->callback([arguments, text, &globals] {
        WithStore(globals, [&](MineStore& store) {
            std::optional<std::string> key = CompanyKey(globals, arguments->company, false);
            if (!key) {
                ExitWith(kExitNothingFound);
            }
            if (text->count() > 0) {
                // A note is written for a company of the directory (a typing
                // mistake would keep it where nobody looks), or over the note
                // of a company the directory has lost.
                if (!arguments->text.empty() && !IsRecordNumber(arguments->company) && !store.Note(*key) &&
                    !LookUpCompanies(DataFolder(globals), {*key}).front().recordNumber) {
                    PrintMessage("No company of database.db is named " + arguments->company + ".");
                    ExitWith(kExitNothingFound);
                }
                store.SetNote(*key, arguments->text);
                return;
            }
            const std::optional<std::string> current = store.Note(*key);
            if (!current) {
                ExitWith(kExitNothingFound);
            }
            WriteOutput(*current + "\n");
        });
    });
}

} // namespace

void RegisterMineCommands(CLI::App& app, const GlobalOptions& globals)
{
    RegisterListCommands(app, globals);
    RegisterNoteCommand(app, globals);
}

} // namespace dorvanta::cli
