#pragma once

#include <cstdint>
#include <filesystem>

// A synthetic snapshot of the trade register's open data, with the real
// files, columns and quirks and the real mix: half the companies struck off,
// 2-3 % namesakes (some of them struck off), a third of the names with
// Romanian letters in both spellings (comma below and cedilla), a few names
// over 80 characters, about 4.8 activity rows per company in both editions
// of the classification, every file's rows in random order. The same seed
// gives the same bytes.
namespace tools {

struct SnapshotCounts
{
    std::uint64_t companies = 0;
    std::uint64_t stateRows = 0;
    std::uint64_t activityRows = 0;
    std::uint64_t bytes = 0;
};

SnapshotCounts WriteSyntheticSnapshot(const std::filesystem::path& folder, std::uint64_t companies,
                                      std::uint64_t seed = 1);

} // namespace tools
