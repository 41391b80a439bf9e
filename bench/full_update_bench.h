#pragma once

#include <cstdint>
#include <filesystem>

namespace bench {

// The full-size company update through dorvanta-cli (`cli`), working in a
// folder under `dir`; prints its figures.
void FullCompanyUpdate(const std::filesystem::path& dir, std::uint64_t companies,
                       const std::filesystem::path& cli);

} // namespace bench
