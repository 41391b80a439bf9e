#include "import/register_companies.h"

#include "import/register_mapping.h"
#include "import/register_text.h"
#include "import/company_name_index.h"
#include "import/record_import.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace dorvanta::register_detail {

namespace fs = std::filesystem;

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

namespace {

// A row's text, hashed eight bytes at a time: every row is hashed, for the
// few that repeat a registration number.
std::uint64_t RowHash(std::string_view row)
{
    std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ row.size();
    std::size_t at = 0;
    for (; at + 8 <= row.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, row.data() + at, 8);
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
        hash ^= hash >> 32;
    }
    for (; at < row.size(); ++at) {
        hash = (hash ^ static_cast<unsigned char>(row[at])) * 0x100000001B3ull;
    }
    return hash ^ (hash >> 29);
}

} // namespace

CompanyColumns::CompanyColumns(const RegisterTable& table)
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

// First reading of OD_FIRME: which rows are companies, their names and dates.
Companies ReadCompanies(const fs::path& file, RegisterReport& report, RegisterReadProgress* progress)
{
    Companies companies;
    RegisterTable table(file);
    const CompanyColumns columns(table);
    RegisterTable::Row row;
    // Rows of about 160 bytes: room for them all, in pages not yet resident.
    companies.registrations.Reserve(table.Size() / 128);
    for (std::uint32_t number = 0; table.Next(row); ++number) {
        companies.companyOfRow.push_back(TextIntern::kNone);
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
        const TextIntern::Id id = companies.registrations.Intern(registration, added);
        // Of the rows of one registration number the one taken is chosen by
        // its text, not by where it stands in the file.
        const std::uint64_t hash = RowHash(table.Line());
        if (added) {
            companies.rowOf.push_back(number);
            companies.rowHash.push_back(hash);
            companies.dates.push_back(0);
            companies.keyAt.push_back(0);
        } else {
            ++report.duplicateRegistration;
            if (hash >= companies.rowHash[id]) {
                continue;
            }
            companies.companyOfRow[companies.rowOf[id]] = TextIntern::kNone;
            companies.rowOf[id] = number;
            companies.rowHash[id] = hash;
        }
        companies.companyOfRow.back() = id;
        companies.dates[id] = ParseDate(FieldOr(table, columns.date));
        const std::string key = KeyOf(name);
        companies.keyAt[id] = static_cast<std::uint64_t>(companies.keys.size()) << 8 | key.size();
        companies.keys += key;
    }
    std::vector<std::uint32_t>().swap(companies.rowOf);
    std::vector<std::uint64_t>().swap(companies.rowHash);
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

} // namespace dorvanta::register_detail
