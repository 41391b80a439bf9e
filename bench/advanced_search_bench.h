#pragma once

#include <cstdint>
#include <filesystem>

namespace bench {

// The company search by town, phone, representative, fiscal code and
// description words over the company file of `dir`: each criterion alone and
// together, by the scan (what a first search costs) and from the window's
// word index (a repeated search); prints the figures and the index's memory.
void AdvancedCompanySearch(const std::filesystem::path& dir, std::uint64_t companies);

} // namespace bench
