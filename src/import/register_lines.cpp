#include "import/register_lines.h"

#include "import/register_companies.h"
#include "import/register_mapping.h"
#include "import/register_names.h"
#include "import/register_snapshot.h"
#include "import/register_tables.h"
#include "import/register_text.h"

#include <algorithm>
#include <optional>

namespace dorvanta {

namespace fs = std::filesystem;
using namespace register_detail;

namespace {

std::string BlankingLine(std::string_view name)
{
    RegisterLineFields fields;
    fields[0] = std::string(name);
    return CompanyLineOf(fields, true);
}

std::vector<RegisterReport::UnmappedClass>
NameUnmappedClasses(const RegisterMappingCounts& counts,
                    const std::map<std::pair<int, int>, std::string>& names)
{
    std::vector<RegisterReport::UnmappedClass> classes;
    for (const auto& [key, rows] : counts.unmappedByClass) {
        RegisterReport::UnmappedClass unmapped{key.first, key.second, {}, rows};
        const long long code = ParseNumber(key.second);
        if (const auto found = names.find({key.first, static_cast<int>(code)}); found != names.end()) {
            unmapped.name = found->second;
        } else {
            for (const auto& [named, name] : names) {
                if (named.second == code) {
                    unmapped.name = name;
                    break;
                }
            }
        }
        classes.push_back(std::move(unmapped));
    }
    std::sort(classes.begin(), classes.end(), [](const auto& a, const auto& b) {
        return a.companies != b.companies ? a.companies > b.companies
                                          : std::pair(a.edition, a.code) < std::pair(b.edition, b.code);
    });
    return classes;
}

} // namespace

RegisterReport BuildRegisterLines(const fs::path& folder, const RegisterLinesOptions& options,
                                  LineSink& lines, LineSink* published, RegisterReadProgress* progress)
{
    RegisterReport report;
    const RegisterFiles files = FindRegisterFiles(folder);
    for (const auto& [path, name] :
         {std::pair(&files.states, "OD_STARE_FIRMA.CSV"), std::pair(&files.stateNames, "N_STARE_FIRMA.CSV"),
          std::pair(&files.activities, "OD_CAEN_AUTORIZAT.CSV"),
          std::pair(&files.classNames, "N_CAEN.CSV")}) {
        if (path->empty()) {
            report.missingFiles.emplace_back(name);
        }
    }
    const std::map<int, std::string> stateNames =
        files.stateNames.empty() ? std::map<int, std::string>() : ReadStateNames(files.stateNames);
    const std::map<std::pair<int, int>, std::string> classNames =
        files.classNames.empty() ? std::map<std::pair<int, int>, std::string>()
                                 : ReadClassNames(files.classNames);

    Companies companies = ReadCompanies(files.companies, report, progress);
    const std::size_t count = companies.registrations.size();
    const GroupedRows states = files.states.empty()
                                   ? GroupedRows{}
                                   : ReadStates(files.states, companies.registrations, report, progress);
    const std::vector<bool> living = LivingCompanies(states, stateNames, count);
    report.ended = static_cast<std::uint64_t>(std::count(living.begin(), living.end(), false));
    const auto imported = [&](std::uint32_t id) { return options.allStates || living[id]; };

    if (progress) {
        progress->Reading("namesakes", 0, 0);
    }
    const std::vector<bool> later = RankNamesakes(companies, living);
    report.namesakes = static_cast<std::uint64_t>(std::count(later.begin(), later.end(), true));

    // The "@" lines: the names of the companies left out and the names
    // published before, except those a company is published under now.
    {
        const auto publishedKey = [&](std::uint32_t id) {
            return later[id] ? KeyOf(NameWithRegistration(
                                   companies.Key(id), RegisterTextTo1250(companies.registrations.Text(id))))
                             : std::string(companies.Key(id));
        };
        TextIntern kept;
        kept.Reserve(options.allStates ? count : count - report.ended);
        for (std::uint32_t id = 0; id < count; ++id) {
            if (imported(id)) {
                kept.Intern(publishedKey(id));
            }
        }
        TextIntern blanked;
        const auto blank = [&](const std::string& key) {
            bool added = false;
            if (!key.empty() && !kept.Contains(key) && (blanked.Intern(key, added), added)) {
                lines.Write(BlankingLine(key));
                ++report.blankingLines;
            }
        };
        for (std::uint32_t id = 0; id < count; ++id) {
            if (!imported(id)) {
                blank(publishedKey(id));
            }
        }
        ForEachPublishedName(options.previousNames, [&](std::string_view name) { blank(KeyOf(name)); });
    }
    // The names are done with before the largest table is read.
    std::string().swap(companies.keys);
    std::vector<std::uint64_t>().swap(companies.keyAt);
    std::vector<std::int32_t>().swap(companies.dates);
    const GroupedRows activities =
        files.activities.empty()
            ? GroupedRows{}
            : ReadActivities(files.activities, companies.registrations, report, progress);

    // Second reading of OD_FIRME: the "!" lines.
    RegisterTable table(files.companies);
    const CompanyColumns columns(table);
    RegisterMappingCounts counts;
    RegisterCompany company;
    RegisterTable::Row row;
    const auto copy = [&](std::string& to, const std::optional<std::size_t>& column) {
        to.assign(FieldOr(table, column));
    };
    for (std::uint32_t number = 0; table.Next(row); ++number) {
        if ((number + 1) % kProgressRows == 0) {
            Tell(progress, "OD_FIRME (2/2)", table);
        }
        if (row != RegisterTable::Row::Whole) {
            continue;
        }
        const TextIntern::Id id =
            number < companies.companyOfRow.size() ? companies.companyOfRow[number] : TextIntern::kNone;
        if (id == TextIntern::kNone || !imported(id)) {
            continue;
        }
        const std::string_view registration = companies.registrations.Text(id);
        company.name.assign(table.Field(columns.name));
        company.registration.assign(registration);
        copy(company.cui, columns.cui);
        copy(company.registrationDate, columns.date);
        copy(company.legalForm, columns.legalForm);
        copy(company.country, columns.country);
        copy(company.county, columns.county);
        copy(company.locality, columns.locality);
        copy(company.street, columns.street);
        copy(company.number, columns.number);
        copy(company.block, columns.block);
        copy(company.staircase, columns.staircase);
        copy(company.floor, columns.floor);
        copy(company.flat, columns.flat);
        copy(company.postalCode, columns.postalCode);
        copy(company.sector, columns.sector);
        copy(company.web, columns.web);
        company.activities.clear();
        for (std::uint32_t i = 0; i < activities.Count(id); ++i) {
            const std::uint64_t packed = activities.rows[activities.start[id] + i];
            std::string code = std::to_string(packed & 0xFFFF);
            code.insert(0, 4 - std::min<std::size_t>(code.size(), 4), '0');
            company.activities.push_back(RegisterActivity{static_cast<int>((packed >> 16) & 0xFFFF), code});
        }
        company.states.clear();
        for (std::uint32_t i = 0; i < states.Count(id); ++i) {
            const int code = static_cast<int>(states.rows[states.start[id] + i] & 0xFFFFFFFFu);
            const auto named = stateNames.find(code);
            company.states.push_back(
                RegisterState{code, named != stateNames.end() ? named->second : std::string()});
        }
        RegisterLineFields fields = MapRegisterCompany(company, counts);
        fields[0] = NameOf(company.name);
        if (later[id]) {
            fields[0] = NameWithRegistration(fields[0], RegisterTextTo1250(registration));
            ++report.namesakesImported;
        }
        lines.Write(CompanyLineOf(fields));
        ++report.companyLines;
        if (published) {
            published->Write(PublishedNameLine(registration, fields[0]));
        }
    }
    Tell(progress, "OD_FIRME (2/2)", table);
    report.unknownCounty = counts.unknownCounty;
    report.unmappedActivities = counts.unmappedClasses;
    report.unmappedClasses = NameUnmappedClasses(counts, classNames);
    return report;
}

} // namespace dorvanta
