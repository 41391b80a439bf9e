#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace bench {

// The full-size company update through dorvanta-cli (`cli`), working in a
// folder under `dir`; prints its figures.
void FullCompanyUpdate(const std::filesystem::path& dir, std::uint64_t companies,
                       const std::filesystem::path& cli);

// A snapshot of the trade register of `companies` companies (generated once,
// kept under `dir`) built by dorvanta-cli import-register into an empty
// folder, then imported again over the full directory; prints its figures.
void RegisterImport(const std::filesystem::path& dir, std::uint64_t companies,
                    const std::filesystem::path& cli);

} // namespace bench
