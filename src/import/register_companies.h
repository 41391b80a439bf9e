#pragma once

#include "import/register_lines.h"
#include "import/register_snapshot.h"
#include "import/register_tables.h"
#include "import/text_intern.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The companies of OD_FIRME as the first reading leaves them, and the ranking
// of namesakes over them.
namespace dorvanta::register_detail {

inline constexpr std::size_t kNameWidth = 80;
inline constexpr std::uint64_t kProgressRows = 1 << 16;
inline constexpr std::int32_t kNoDate = std::numeric_limits<std::int32_t>::max();

// What ranks namesakes and joins the other files, and nothing more.
struct Companies
{
    TextIntern registrations; // company number by registration number
    // The company read from each row of OD_FIRME, kNone for a row left out.
    std::vector<TextIntern::Id> companyOfRow;
    std::vector<std::int32_t> dates;  // of registration, as yyyymmdd; kNoDate when unreadable
    std::string keys;                 // the name keys, one after the other
    std::vector<std::uint64_t> keyAt; // of each company: offset << 8 | length
    // While OD_FIRME is read: the row each company was read from, and its hash.
    std::vector<std::uint32_t> rowOf;
    std::vector<std::uint64_t> rowHash;

    std::string_view Key(std::uint32_t id) const
    {
        return std::string_view(keys).substr(keyAt[id] >> 8, keyAt[id] & 0xFF);
    }
};

// The columns of OD_FIRME; the name and the registration number are required.
struct CompanyColumns
{
    std::size_t name, registration;
    std::optional<std::size_t> cui, date, legalForm, country, county, locality, street, number, block,
        staircase, floor, flat, postalCode, sector, web;

    explicit CompanyColumns(const RegisterTable& table);
};

inline std::string_view FieldOr(const RegisterTable& table, const std::optional<std::size_t>& column)
{
    return column ? table.Field(*column) : std::string_view();
}

// dd/mm/yyyy (or with dots or dashes), or yyyy-mm-dd, as yyyymmdd; kNoDate otherwise.
std::int32_t ParseDate(std::string_view text);

// The name of a namesake ranked after the first: its registration number in
// brackets, the name shortened so that the whole fits the record's field.
std::string NameWithRegistration(std::string_view name, std::string_view registration);

// DENUMIRE as the record holds it (Windows-1250, cut to 80).
std::string NameOf(std::string_view field);

// The import's identity of a name as the record holds it.
std::string KeyOf(std::string_view name);

void Tell(RegisterReadProgress* progress, std::string_view step, const RegisterTable& table);

// First reading of OD_FIRME: which rows are companies, their names and dates.
Companies ReadCompanies(const std::filesystem::path& file, RegisterReport& report,
                        RegisterReadProgress* progress);

// Which companies no state ends: by the state's name when N_STARE_FIRMA
// names it, else by the codes of the four ending states.
std::vector<bool> LivingCompanies(const GroupedRows& states, const std::map<int, std::string>& stateNames,
                                  std::size_t count);

// Namesakes ranked over every company of the snapshot: living ones first,
// then by date of registration, then by registration number. The first of
// each name keeps it; the others are marked.
std::vector<bool> RankNamesakes(const Companies& companies, const std::vector<bool>& living);

} // namespace dorvanta::register_detail
