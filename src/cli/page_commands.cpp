// page-company and page-opportunity: the exact bytes of the page the window
// would show for one record, written to standard output unchanged.

#include "cli/commands.h"

#include "data/category_table.h"
#include "data/opportunity_record.h"
#include "data/record_file.h"
#include "pages/pages.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace dorvanta::cli {

namespace {

struct PageArguments
{
    std::int64_t number = 0;
    int banner = 0; // 1 to 3; 0: not chosen
};

[[noreturn]] void NoSuchRecord(std::int64_t number, std::string_view fileName, Language language)
{
    const std::string text = std::to_string(number);
    PrintMessage(std::string(Pick(language, "There is no record ", "Nu exista inregistrarea ")) + text +
                 std::string(Pick(language, " in ", " in fisierul ")) + std::string(fileName) + ".");
    ExitWith(kExitNothingFound);
}

[[noreturn]] void FileProblem(const FileError& error, std::string_view fileName, Language language)
{
    PrintMessage(FileProblemText(error, fileName, language));
    ExitWith(kExitFileError);
}

void RunCompanyPage(const PageArguments& arguments, const GlobalOptions& globals)
{
    std::optional<std::string> page;
    try {
        page = CompanyPage(DataFolder(globals), arguments.number, globals.lang, CategoryTable::Builtin());
    } catch (const FileError& error) {
        FileProblem(error, kCompanyFileName, globals.lang);
    }
    if (!page) {
        NoSuchRecord(arguments.number, kCompanyFileName, globals.lang);
    }
    WriteOutput(*page);
}

void RunOpportunityPage(const PageArguments& arguments, const GlobalOptions& globals)
{
    const std::filesystem::path folder = DataFolder(globals);
    std::optional<OpportunityRecord> record;
    try {
        // Read apart from OpportunityPage, which cannot take a chosen banner
        // and answers a missing record with an empty page.
        record = ReadOpportunityRecord(folder, arguments.number);
    } catch (const FileError& error) {
        FileProblem(error, kOpportunityFileName, globals.lang);
    }
    if (!record) {
        NoSuchRecord(arguments.number, kOpportunityFileName, globals.lang);
    }
    // Without a chosen banner the page takes the first number of the
    // program's fixed succession, as the window's first page would.
    const int banner = arguments.banner != 0 ? arguments.banner : BannerNumbers().Next();
    WriteOutput(BuildOpportunityPage(*record, globals.lang, ProgramFolderText(folder),
                                     OpportunityDomainList(globals.lang), banner));
}

} // namespace

void RegisterPageCommands(CLI::App& app, const GlobalOptions& globals)
{
    auto companyArguments = std::make_shared<PageArguments>();
    CLI::App* company = app.add_subcommand("page-company", "Write the profile page of company record N");
    company->add_option("N", companyArguments->number, "Record number, counted from 0")->required();
    company->callback([companyArguments, &globals] { RunCompanyPage(*companyArguments, globals); });

    auto opportunityArguments = std::make_shared<PageArguments>();
    CLI::App* opportunity = app.add_subcommand("page-opportunity", "Write the page of business ad record N");
    opportunity->add_option("N", opportunityArguments->number, "Record number, counted from 0")->required();
    opportunity->add_option("--banner", opportunityArguments->banner, "Banner movie number")
        ->check(CLI::Range(1, 3));
    opportunity->callback(
        [opportunityArguments, &globals] { RunOpportunityPage(*opportunityArguments, globals); });
}

} // namespace dorvanta::cli
