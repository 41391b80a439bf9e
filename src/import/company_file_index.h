#pragma once

#include "data/record_file.h"
#include "import/company_name_index.h"

#include <cstdint>
#include <vector>

namespace dorvanta {

// The one reading of database.db the company import makes before it applies
// a line: every record that holds a name of `index` is added to it, in file
// order, and the records a cut blanking left are returned, in file order.
//
// A cut blanking: a record whose name is empty while some other field is not
// (a non-zero length byte; the text itself is scrambled and tells nothing).
// A blanking writes the record from its first byte, so a write cut short
// empties the name and leaves the old details behind it; no line can name
// that record again, so the import clears it whole, and it reads as the
// deleted record it was meant to be. A blank record whose every length is
// zero needs nothing.
//
// Only reads: the caller writes the repairs, under its exclusive lock.
std::vector<std::uint64_t> IndexCompanyFile(const RecordFile& file, CompanyNameIndex& index);

} // namespace dorvanta
