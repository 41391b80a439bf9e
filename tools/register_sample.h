#pragma once

#include <cstdint>
#include <filesystem>

// A synthetic snapshot of the trade register's open data, with the mix of
// the real one: half the companies struck off, namesakes (some struck off),
// a third of the names with Romanian letters in both spellings (comma below
// and cedilla), names longer than 80, about 4.8 activity rows per company
// in both editions of CAEN, rows in random order. The same count and seed
// give the same files.
namespace dorvanta::register_sample {

struct SnapshotFigures
{
    std::uint64_t companies = 0;
    std::uint64_t ended = 0;
    std::uint64_t namesakes = 0; // companies given the name of another
    std::uint64_t withDiacritics = 0;
    std::uint64_t longNames = 0;
    std::uint64_t stateRows = 0;
    std::uint64_t activityRows = 0;
    std::uint64_t bytes = 0; // of every file
};

// Writes OD_FIRME.CSV, OD_STARE_FIRMA.CSV, N_STARE_FIRMA.CSV,
// OD_CAEN_AUTORIZAT.CSV and N_CAEN.CSV into `folder`. Throws
// std::runtime_error when a file cannot be written.
SnapshotFigures WriteRegisterSnapshot(const std::filesystem::path& folder, std::uint64_t companies,
                                      std::uint64_t seed);

} // namespace dorvanta::register_sample
