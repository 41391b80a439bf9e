#pragma once

// The write limit of LimitWritesForTests, shared by the two sides of the file
// seam. Outside tests it costs a write one relaxed load.

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace dorvanta::file_access_detail {

// Bytes the writes may still put into files; negative: no limit.
extern std::atomic<std::int64_t> gWriteAllowance;

inline bool WritesLimited()
{
    return gWriteAllowance.load(std::memory_order_relaxed) >= 0;
}

// How many of the `wanted` bytes of a write under a limit may reach the
// file, taken from what is left; 0 means the write fails as on a full disk.
std::size_t TakeWriteAllowance(std::size_t wanted);

} // namespace dorvanta::file_access_detail
