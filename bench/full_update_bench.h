#pragma once

#include <cstdint>
#include <filesystem>

namespace bench {

// The full-size company update through dorvanta-cli (`cli`), working in a
// folder under `dir`; prints its figures.
void FullCompanyUpdate(const std::filesystem::path& dir, std::uint64_t companies,
                       const std::filesystem::path& cli);

} // namespace bench

namespace bench {

// The trade register's import through dorvanta-cli: a synthetic snapshot of
// `companies` companies built into an empty folder, then imported again over
// the directory it made; prints its figures and the command's report.
void RegisterImport(const std::filesystem::path& dir, std::uint64_t companies,
                    const std::filesystem::path& cli);

} // namespace bench
