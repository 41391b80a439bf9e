#pragma once

#include "import/register_lines.h"
#include "import/text_intern.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

// The tables a snapshot's companies are joined with, held compactly: the
// registration numbers once each, the rows of the other files as packed
// numbers sorted by company.
namespace dorvanta::register_detail {

// Rows of one file grouped by company: the rows of company `id` are
// rows[start[id]] up to rows[start[id + 1]], the company's number in the
// high 32 bits of each.
struct GroupedRows
{
    std::vector<std::uint64_t> rows;
    std::vector<std::uint32_t> start;

    std::uint32_t Count(std::uint32_t id) const { return start.empty() ? 0 : start[id + 1] - start[id]; }
};

// The state names of N_STARE_FIRMA by code (UTF-8).
std::map<int, std::string> ReadStateNames(const std::filesystem::path& file);

// The class names of N_CAEN by (edition, class code); the edition is the
// digit of VERSIUNE_CAEN.
std::map<std::pair<int, int>, std::string> ReadClassNames(const std::filesystem::path& file);

// OD_STARE_FIRMA: each row packed as company << 32 | state code.
GroupedRows ReadStates(const std::filesystem::path& file, const TextIntern& registrations,
                       RegisterReport& report, RegisterReadProgress* progress);

// OD_CAEN_AUTORIZAT: each row packed as company << 32 | edition << 16 | class.
GroupedRows ReadActivities(const std::filesystem::path& file, const TextIntern& registrations,
                           RegisterReport& report, RegisterReadProgress* progress);

// A number written in decimal digits only (spaces around it allowed), or -1.
long long ParseNumber(std::string_view text);

// The edition digit of VER_CAEN_AUTORIZAT or VERSIUNE_CAEN ("2", "3", "Rev.2"): the last digit, or -1.
int ParseEdition(std::string_view text);

} // namespace dorvanta::register_detail
