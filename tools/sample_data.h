#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

// Deterministic sample databases: the same count and seed always give the
// same bytes, on every machine, so tests, the run command and the benchmark
// can rely on them.
namespace dorvanta::sample_data {

inline constexpr std::uint64_t kDefaultCompanies = 20000;
inline constexpr std::uint64_t kDefaultAds = 3000;
inline constexpr std::uint64_t kDefaultSeed = 1;

// The ad identifiers have at most six digits, so no more ads than this can
// carry distinct identifiers.
inline constexpr std::uint64_t kMaxAds = 999999;

// One company in kRareNameEvery carries this word in its name and no other
// company does, so a name search for it is selective yet has to read the
// whole file (what the benchmark measures).
inline constexpr std::string_view kRareNameWord = "zamolxis";
inline constexpr std::uint64_t kRareNameEvery = 1000;

// A small, fast generator of our own: the standard distributions may give
// different numbers on another standard library, our files must not.
class Random
{
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next()
    {
        // splitmix64
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A number from 0 to bound - 1 (bound > 0).
    std::uint32_t Below(std::uint32_t bound)
    {
        return static_cast<std::uint32_t>(((Next() >> 32) * bound) >> 32);
    }

    // True with a chance of `percent` in a hundred.
    bool Percent(std::uint32_t percent) { return Below(100) < percent; }

private:
    std::uint64_t state_;
};

// Writes `count` company records to `path` (database.db format), replacing
// the file. The file is written beside the target under a temporary name and
// renamed at the end, so a failure never leaves a half-written database.
// Throws std::runtime_error on any failure.
void WriteSampleCompanies(const std::filesystem::path& path, std::uint64_t count, std::uint64_t seed);

// Writes `count` (at most kMaxAds) advertisement records to `path` (bursa.db
// format) in the same way. Throws std::invalid_argument for a count above
// kMaxAds and std::runtime_error on any failure.
void WriteSampleOpportunities(const std::filesystem::path& path, std::uint64_t count, std::uint64_t seed);

} // namespace dorvanta::sample_data
