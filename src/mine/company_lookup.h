#pragma once

// The companies of a list as database.db holds them now. An entry is a name;
// the record that holds the name may have changed number (the company was
// replaced by an update) or may be gone (blanked, or never there): such an
// entry comes back without a record, never left out.

#include "data/company_record.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dorvanta {

struct ListedCompany
{
    std::string name;                          // the entry's name key (Windows-1250)
    std::optional<std::uint64_t> recordNumber; // none: blanked or gone from database.db
    CompanyRecord record;                      // empty when there is no record
};

// Finds every name in database.db of `programFolder`, in one pass under a
// shared lock; a name held by several records gives the first, as the import
// does. Throws FileError when the file cannot be opened or read.
std::vector<ListedCompany> LookUpCompanies(const std::filesystem::path& programFolder,
                                           const std::vector<std::string>& names);

// The record `number` of database.db; nothing past the end. Throws FileError.
std::optional<CompanyRecord> ReadCompanyRecord(const std::filesystem::path& programFolder,
                                               std::uint64_t number);

} // namespace dorvanta
