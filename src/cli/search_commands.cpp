// search-companies and search-opportunities: the two searches of the window,
// with the result rows on standard output and the status on standard error.

#include "cli/commands.h"
#include "cli/search_formats.h"

#include "data/category_table.h"
#include "data/code_tables.h"
#include "data/domain_tree.h"
#include "data/messages.h"
#include "data/text.h"
#include "platform/console.h"
#include "search/company_search.h"
#include "search/opportunity_search.h"

#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace dorvanta::cli {

namespace {

struct CompanyArguments
{
    std::string name;
    std::string county;
    std::vector<std::string> categories;
    std::string domain;
    std::string type;
    std::string town;
    std::string phone;
    std::string representative;
    std::string fiscalCode;
    std::string descriptionWords;
    bool ignoreDiacritics = false;
    std::string format; // empty: the rows as the window lists them
};

struct OpportunityArguments
{
    std::string keyword;
    std::string county;
    std::string group;
    std::string type;
    bool ignoreDiacritics = false;
    int days = 0; // 0: any date
    std::string format;
};

// The county code of a county name; "All" (in any case, since no county has
// that name) or nothing means no county criterion. A name the table does not
// list is compared as it stands.
std::string CountyCriterion(std::string_view countyName)
{
    return countyName.empty() || ToLowerAZ(countyName) == "all" ? std::string{} : CountyCode(countyName);
}

// The values of the two --type options, from the type tables, in their order.
std::vector<std::string> CompanyTypeLetters()
{
    std::vector<std::string> letters;
    for (const CompanyType& type : kCompanyTypes) {
        letters.emplace_back(1, type.letter);
    }
    return letters;
}

std::vector<std::string> AdTypeDigits()
{
    std::vector<std::string> digits;
    for (const AdType& type : kAdTypes) {
        digits.emplace_back(1, type.digit);
    }
    return digits;
}

// The values of --group: the letters of the domain groups.
std::vector<std::string> GroupLetterValues()
{
    std::vector<std::string> letters;
    for (const char letter : GroupLetters()) {
        letters.emplace_back(1, letter);
    }
    return letters;
}

// The lower-case codes of every category of a group ("a") or of one domain
// of a group ("a.A"), in table order.
std::vector<std::string> DomainCodes(std::string_view domain)
{
    const std::string prefix = ToLowerAZ(domain) + ".";
    std::vector<std::string> codes;
    for (const CategoryRow& row : CategoryTable::Builtin().rows()) {
        std::string code = ToLowerAZ(row.code);
        if (code.starts_with(prefix)) {
            codes.push_back(std::move(code));
        }
    }
    return codes;
}

// Checks the form of --domain and that the table has categories under it:
// an empty list of codes would mean "no category criterion" and list every
// company, the opposite of what was asked.
CLI::Validator DomainValidator()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const std::string lower = ToLowerAZ(text);
            const bool groupForm = lower.size() == 1;
            const bool domainForm = lower.size() == 3 && lower[1] == '.';
            if ((!groupForm && !domainForm) || !GroupPosition(lower[0])) {
                return "expected a group letter a to j, or a group and a domain such as a.A";
            }
            if (DomainCodes(text).empty()) {
                return "no category belongs to the domain " + text;
            }
            return {};
        },
        "");
}

// What both searches print: the rows (or, with --format, their records),
// then the texts the window would show.
void Report(const SearchResult& result, std::string_view fileProblem, Language language,
            std::string_view format = {}, std::string_view fileName = {},
            const GlobalOptions* globals = nullptr)
{
    if (!format.empty() && globals != nullptr) {
        try {
            WriteResultRecords(result, fileName, *globals, format);
        } catch (const FileError& error) {
            PrintMessage(FileProblemText(error, fileName, language));
            ExitWith(kExitFileError);
        }
    } else {
        std::string out;
        for (const ResultRow& row : result.rows) {
            out += std::to_string(row.recordNumber);
            out += '\t';
            out += TerminalText(row.type);
            out += '\t';
            out += TerminalText(row.text);
            out += '\n';
        }
        WriteOutput(out);
    }

    if (!fileProblem.empty()) {
        PrintMessage(fileProblem);
    }
    if (!result.status.empty()) {
        PrintMessage(result.status);
    }
    if (result.showNoResult) {
        PrintMessage(InfoMessageText(1, language));
    }

    switch (result.outcome) {
    case SearchOutcome::Found:
    case SearchOutcome::LimitReached:
        if (result.rows.empty()) {
            ExitWith(kExitNothingFound);
        }
        return;
    case SearchOutcome::CannotOpen:
    case SearchOutcome::FileMissing:
    case SearchOutcome::ReadError:
        ExitWith(kExitFileError);
    }
}

void RunCompanySearch(const CompanyArguments& arguments, const GlobalOptions& globals)
{
    CompanyCriteria criteria;
    criteria.nameText = arguments.name;
    criteria.countyCode = CountyCriterion(arguments.county);
    criteria.typeLetter = arguments.type;
    // A domain stands for every category under it.
    criteria.categoryCodes = arguments.domain.empty() ? arguments.categories : DomainCodes(arguments.domain);
    criteria.town = arguments.town;
    criteria.phone = arguments.phone;
    criteria.representative = arguments.representative;
    criteria.fiscalCode = arguments.fiscalCode;
    criteria.descriptionWords = arguments.descriptionWords;

    criteria.ignoreDiacritics = arguments.ignoreDiacritics;
    const SearchResult result = SearchCompanies(DataFolder(globals), criteria, globals.lang);
    // The search itself names the problem of a file it could not open or read.
    Report(result, result.errorMessage, globals.lang, arguments.format, kCompanyFileName, &globals);
}

void RunOpportunitySearch(const OpportunityArguments& arguments, const GlobalOptions& globals)
{
    OpportunityCriteria criteria;
    criteria.keyword = arguments.keyword;
    criteria.countyCode = CountyCriterion(arguments.county);
    criteria.domainLetter = arguments.group;
    criteria.typeDigit = arguments.type;
    criteria.withinDays = arguments.days;
    if (arguments.days > 0) {
        const std::tm local = LocalTime(std::time(nullptr));
        criteria.today = DayNumberOf(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                                     static_cast<unsigned>(local.tm_mday));
    }

    criteria.ignoreDiacritics = arguments.ignoreDiacritics;
    const SearchResult result = SearchOpportunities(DataFolder(globals), criteria, globals.lang);
    // The search itself names the problem of a file it could not open or read.
    Report(result, result.errorMessage, globals.lang, arguments.format, kOpportunityFileName, &globals);
}

} // namespace

void RegisterSearchCommands(CLI::App& app, const GlobalOptions& globals)
{
    auto companyArguments = std::make_shared<CompanyArguments>();
    CLI::App* companies = app.add_subcommand(
        "search-companies", "List the companies that meet every criterion given, in file order");
    companies
        ->add_option("--name", companyArguments->name, "Text to find anywhere in the company name (any case)")
        ->transform(Cp1250Text());
    companies
        ->add_option("--county", companyArguments->county, "County name as the county box lists it, or All")
        ->transform(Cp1250Text());
    CLI::Option* category = companies
                                ->add_option("--category", companyArguments->categories,
                                             "Category code such as a.A.1 (repeatable)")
                                ->take_all()
                                ->type_name("CODE");
    companies
        ->add_option("--domain", companyArguments->domain,
                     "Every category of a group (a) or of one domain of a group (a.A)")
        ->type_name("CODE")
        ->check(DomainValidator())
        ->excludes(category);
    companies->add_option("--type", companyArguments->type, "Company type letter")
        ->transform(CLI::IsMember(CompanyTypeLetters(), CLI::ignore_case));
    companies->add_option("--town", companyArguments->town, "Words that must all be words of the address")
        ->transform(Cp1250Text());
    companies
        ->add_option("--phone", companyArguments->phone,
                     "Start of a mobile, phone or fax number, in any writing (at least 3 digits)")
        ->transform(Cp1250Text());
    companies
        ->add_option("--representative", companyArguments->representative,
                     "Words that must all be words of the representative's name")
        ->transform(Cp1250Text());
    companies->add_option("--cui", companyArguments->fiscalCode, "Fiscal code, with or without RO")
        ->transform(Cp1250Text());
    companies
        ->add_option("--text", companyArguments->descriptionWords,
                     "Words that must all be words of the description")
        ->transform(Cp1250Text());
    companies->add_flag("--ignore-diacritics", companyArguments->ignoreDiacritics,
                        "Compare the name and words by base letters (s finds \u015F and \u0219 alike)");
    companies
        ->add_option("--format", companyArguments->format,
                     "Print every field of each company found: csv, tsv or json (default: the result rows)")
        ->check(CLI::IsMember(RecordFormatNames()));
    companies->callback([companyArguments, &globals] { RunCompanySearch(*companyArguments, globals); });

    auto opportunityArguments = std::make_shared<OpportunityArguments>();
    CLI::App* opportunities = app.add_subcommand(
        "search-opportunities", "List the business ads that meet every criterion given, the latest first");
    opportunities
        ->add_option("--keyword", opportunityArguments->keyword, "Text to find in the subject (any case)")
        ->transform(Cp1250Text());
    opportunities
        ->add_option("--county", opportunityArguments->county,
                     "County name as the county box lists it, or All")
        ->transform(Cp1250Text());
    opportunities->add_option("--group", opportunityArguments->group, "Domain group letter")
        ->transform(CLI::IsMember(GroupLetterValues(), CLI::ignore_case));
    opportunities->add_option("--type", opportunityArguments->type, "1 offers, 2 requests, 3 services")
        ->check(CLI::IsMember(AdTypeDigits()));
    opportunities->add_flag("--ignore-diacritics", opportunityArguments->ignoreDiacritics,
                            "Compare the subject by base letters");
    opportunities
        ->add_option("--days", opportunityArguments->days,
                     "Only the ads dated within the last N days, today included (7: today and the six "
                     "before); an ad whose date cannot be read counts as old")
        ->type_name("N")
        ->check(CLI::Range(1, 1000000));
    opportunities
        ->add_option("--format", opportunityArguments->format,
                     "Print every field of each ad found: csv, tsv or json (default: the result rows)")
        ->check(CLI::IsMember(RecordFormatNames()));
    opportunities->callback(
        [opportunityArguments, &globals] { RunOpportunitySearch(*opportunityArguments, globals); });
}

} // namespace dorvanta::cli
