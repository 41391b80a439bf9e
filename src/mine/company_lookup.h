#pragma once

// The companies of a list as database.db holds them now. An entry is a name;
// the record that holds the name may have changed number (the company was
// replaced by an update) or may be gone (blanked, or never there): such an
// entry comes back without a record, never left out.

#include "data/company_record.h"
#include "data/file_access.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
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

// LookUpCompanies for a view that asks again and again (the user's list on
// screen, refreshed at every change of a note): the names found stay known
// while database.db is the same file unchanged (its FileStamp), so only names
// not asked for before cost a pass over the file.
class CompanyLookupCache
{
public:
    std::vector<ListedCompany> LookUp(const std::filesystem::path& programFolder,
                                      const std::vector<std::string>& names);
    // The program's own update or import has written database.db: forget
    // even what a stamp within the clock's resolution would keep.
    void Invalidate() { known_.clear(); }

private:
    FileStamp stamp_;
    std::unordered_map<std::string, ListedCompany> known_; // by name key
};

// The record `number` of database.db; nothing past the end. Throws FileError.
std::optional<CompanyRecord> ReadCompanyRecord(const std::filesystem::path& programFolder,
                                               std::uint64_t number);

} // namespace dorvanta
