#include "import/register_lines.h"

#include "import/register_mapping.h"
#include "import/register_names.h"
#include "import/register_snapshot.h"
#include "import/register_tables.h"
#include "import/register_text.h"
#include "update/company_name_index.h"
#include "update/record_import.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace dorvanta {

namespace fs = std::filesystem;
using namespace register_detail;

namespace {

constexpr std::size_t kNameWidth = 80;
constexpr std::uint64_t kProgressRows = 1 << 16;
constexpr std::int32_t kNoDate = std::numeric_limits<std::int32_t>::max();

// The companies of OD_FIRME as the first reading leaves them: what ranks
// namesakes and joins the other files, and nothing more.
struct Companies
{
    TextIntern registrations;         // company number by registration number
    std::vector<std::uint32_t> rowOf; // the row of OD_FIRME each company was read from
    std::vector<std::int32_t> dates;  // of registration, as yyyymmdd; kNoDate when unreadable
    std::string keys;                 // the name keys, one after the other
    std::vector<std::uint32_t> keyEnds;

    std::string_view Key(std::uint32_t id) const
    {
        const std::uint32_t begin = id == 0 ? 0 : keyEnds[id - 1];
        return std::string_view(keys).substr(begin, keyEnds[id] - begin);
    }
};

// dd/mm/yyyy (or with dots or dashes), or yyyy-mm-dd, as yyyymmdd.
std::int32_t ParseDate(std::string_view text)
{
    text = TrimSpaces(text);
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int part = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            if (digits[part] == 4) {
                return kNoDate;
            }
            parts[part] = parts[part] * 10 + (c - '0');
            ++digits[part];
        } else if ((c == '/' || c == '.' || c == '-') && part < 2 && digits[part] > 0) {
            ++part;
        } else {
            return kNoDate;
        }
    }
    if (part != 2 || digits[2] == 0) {
        return kNoDate;
    }
    const bool yearFirst = digits[0] == 4;
    const int year = yearFirst ? parts[0] : parts[2];
    const int day = yearFirst ? parts[2] : parts[0];
    if (parts[1] < 1 || parts[1] > 12 || day < 1 || day > 31) {
        return kNoDate;
    }
    return year * 10000 + parts[1] * 100 + day;
}

// The name of a namesake ranked after the first: its registration number in
// brackets, the name shortened so that the whole fits the record's field.
std::string NameWithRegistration(std::string_view name, std::string_view registration)
{
    const std::string suffix = " (" + std::string(registration) + ")";
    std::string result(name.substr(0, suffix.size() < kNameWidth ? kNameWidth - suffix.size() : 0));
    while (!result.empty() && result.back() == ' ') {
        result.pop_back();
    }
    result += suffix;
    result.resize(std::min(result.size(), kNameWidth));
    return result;
}

std::string NameOf(std::string_view field)
{
    return CutTo(RegisterTextTo1250(field), kNameWidth);
}

std::string KeyOf(std::string_view name)
{
    return CompanyNameKey(name.substr(0, std::min(name.size(), kNameWidth)));
}

void Tell(RegisterReadProgress* progress, std::string_view step, const RegisterTable& table)
{
    if (progress) {
        progress->Reading(step, table.BytesRead(), table.Size());
    }
}

struct CompanyColumns
{
    std::size_t name, registration;
    std::optional<std::size_t> cui, date, legalForm, country, county, locality, street, number, block, staircase,
        floor, flat, postalCode, sector, web;

    explicit CompanyColumns(const RegisterTable& table)
        : name(table.RequireColumn("DENUMIRE")), registration(table.RequireColumn("COD_INMATRICULARE")),
          cui(table.Column("CUI")), date(table.Column("DATA_INMATRICULARE")),
          legalForm(table.Column("FORMA_JURIDICA")), country(table.Column("ADR_TARA")),
          county(table.Column("ADR_JUDET")), locality(table.Column("ADR_LOCALITATE")),
          street(table.Column("ADR_DEN_STRADA")), number(table.Column("ADR_NR_STRADA")),
          block(table.Column("ADR_BLOC")), staircase(table.Column("ADR_SCARA")), floor(table.Column("ADR_ETAJ")),
          flat(table.Column("ADR_APARTAMENT")), postalCode(table.Column("ADR_COD_POSTAL")),
          sector(table.Column("ADR_SECTOR")), web(table.Column("WEB"))
    {
    }
};

std::string_view FieldOr(const RegisterTable& table, const std::optional<std::size_t>& column)
{
    return column ? table.Field(*column) : std::string_view();
}

// First reading of OD_FIRME: which rows are companies, their names and dates.
Companies ReadCompanies(const fs::path& file, RegisterReport& report, RegisterReadProgress* progress)
{
    Companies companies;
    RegisterTable table(file);
    const CompanyColumns columns(table);
    RegisterTable::Row row;
    for (std::uint32_t number = 0; table.Next(row); ++number) {
        if (++report.companyRows % kProgressRows == 0) {
            Tell(progress, "OD_FIRME (1/2)", table);
        }
        if (row != RegisterTable::Row::Whole) {
            ++(row == RegisterTable::Row::Short ? report.shortRows : report.longRows);
            continue;
        }
        const std::string_view registration = TrimSpaces(table.Field(columns.registration));
        if (registration.empty()) {
            ++report.noRegistration;
            continue;
        }
        const std::string name = NameOf(table.Field(columns.name));
        if (name.empty()) {
            ++report.noName;
            continue;
        }
        bool added = false;
        companies.registrations.Intern(registration, added);
        if (!added) {
            ++report.duplicateRegistration;
            continue;
        }
        companies.rowOf.push_back(number);
        companies.dates.push_back(ParseDate(FieldOr(table, columns.date)));
        companies.keys += KeyOf(name);
        if (companies.keys.size() > std::numeric_limits<std::uint32_t>::max()) {
            throw std::length_error("too many company names");
        }
        companies.keyEnds.push_back(static_cast<std::uint32_t>(companies.keys.size()));
    }
    Tell(progress, "OD_FIRME (1/2)", table);
    return companies;
}

// Which companies a state ends: by the state's name when N_STARE_FIRMA
// names it, else by the codes of the four ending states.
std::vector<bool> LivingCompanies(const GroupedRows& states, const std::map<int, std::string>& stateNames,
                                  std::size_t count)
{
    const auto ends = [&](int code) {
        const auto named = stateNames.find(code);
        if (named != stateNames.end()) {
            return StateEndsCompany(named->second);
        }
        return code == 1049 || code == 1052 || code == 1070 || code == 1084;
    };
    std::map<int, bool> ending;
    std::vector<bool> living(count, true);
    for (const std::uint64_t row : states.rows) {
        const int code = static_cast<int>(row & 0xFFFFFFFFu);
        auto [it, added] = ending.try_emplace(code, false);
        if (added) {
            it->second = ends(code);
        }
        if (it->second) {
            living[row >> 32] = false;
        }
    }
    return living;
}

// Namesakes ranked over every company of the snapshot: living ones first,
// then by date of registration, then by registration number. The first of
// each name keeps it; the others are marked here.
std::vector<bool> RankNamesakes(const Companies& companies, const std::vector<bool>& living)
{
    const std::size_t count = companies.registrations.size();
    std::vector<std::pair<std::uint64_t, std::uint32_t>> byHash(count);
    for (std::uint32_t id = 0; id < count; ++id) {
        byHash[id] = {CompanyNameIndex::Hash(companies.Key(id)), id};
    }
    std::sort(byHash.begin(), byHash.end());
    std::vector<bool> later(count, false);
    std::vector<std::uint32_t> group;
    for (std::size_t begin = 0; begin < count;) {
        std::size_t end = begin + 1;
        while (end < count && byHash[end].first == byHash[begin].first) {
            ++end;
        }
        if (end - begin > 1) {
            group.clear();
            for (std::size_t i = begin; i < end; ++i) {
                group.push_back(byHash[i].second);
            }
            std::sort(group.begin(), group.end(), [&](std::uint32_t a, std::uint32_t b) {
                if (const int order = companies.Key(a).compare(companies.Key(b)); order != 0) {
                    return order < 0;
                }
                if (living[a] != living[b]) {
                    return static_cast<bool>(living[a]);
                }
                if (companies.dates[a] != companies.dates[b]) {
                    return companies.dates[a] < companies.dates[b];
                }
                return companies.registrations.Text(a) < companies.registrations.Text(b);
            });
            for (std::size_t i = 1; i < group.size(); ++i) {
                later[group[i]] = companies.Key(group[i]) == companies.Key(group[i - 1]);
            }
        }
        begin = end;
    }
    return later;
}

std::string BlankingLine(std::string_view name)
{
    RegisterLineFields fields;
    fields[0] = std::string(name);
    return CompanyLineOf(fields, true);
}

std::vector<RegisterReport::UnmappedClass>
NameUnmappedClasses(const RegisterMappingCounts& counts, const std::map<std::pair<int, int>, std::string>& names)
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
        return a.rows != b.rows ? a.rows > b.rows : std::pair(a.edition, a.code) < std::pair(b.edition, b.code);
    });
    return classes;
}

} // namespace

RegisterReport BuildRegisterLines(const fs::path& folder, const RegisterLinesOptions& options, LineSink& lines,
                                  LineSink* published, RegisterReadProgress* progress)
{
    RegisterReport report;
    const RegisterFiles files = FindRegisterFiles(folder);
    for (const auto& [path, name] : {std::pair(&files.states, "OD_STARE_FIRMA.CSV"),
                                     std::pair(&files.stateNames, "N_STARE_FIRMA.CSV"),
                                     std::pair(&files.activities, "OD_CAEN_AUTORIZAT.CSV"),
                                     std::pair(&files.classNames, "N_CAEN.CSV")}) {
        if (path->empty()) {
            report.missingFiles.emplace_back(name);
        }
    }
    const std::map<int, std::string> stateNames =
        files.stateNames.empty() ? std::map<int, std::string>() : ReadStateNames(files.stateNames);
    const std::map<std::pair<int, int>, std::string> classNames =
        files.classNames.empty() ? std::map<std::pair<int, int>, std::string>() : ReadClassNames(files.classNames);

    Companies companies = ReadCompanies(files.companies, report, progress);
    const std::size_t count = companies.registrations.size();
    const GroupedRows states =
        files.states.empty() ? GroupedRows{} : ReadStates(files.states, companies.registrations, report, progress);
    const GroupedRows activities = files.activities.empty()
                                       ? GroupedRows{}
                                       : ReadActivities(files.activities, companies.registrations, report, progress);
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
            return later[id] ? KeyOf(NameWithRegistration(companies.Key(id),
                                                          RegisterTextTo1250(companies.registrations.Text(id))))
                             : std::string(companies.Key(id));
        };
        TextIntern kept;
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
    std::string().swap(companies.keys);
    std::vector<std::uint32_t>().swap(companies.keyEnds);

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
        const std::string_view registration = TrimSpaces(table.Field(columns.registration));
        const TextIntern::Id id = companies.registrations.Find(registration);
        if (id == TextIntern::kNone || companies.rowOf[id] != number || !imported(id)) {
            continue;
        }
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
            company.states.push_back(RegisterState{code, named != stateNames.end() ? named->second : std::string()});
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
    report.unmappedActivityRows = counts.unmappedClasses;
    report.unmappedClasses = NameUnmappedClasses(counts, classNames);
    return report;
}

} // namespace dorvanta
