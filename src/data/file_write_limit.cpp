#include "data/file_write_limit.h"
#include "data/file_access.h"

#include <algorithm>
#include <limits>

namespace dorvanta {

namespace file_access_detail {

std::atomic<std::int64_t> gWriteAllowance{-1};

std::size_t TakeWriteAllowance(std::size_t wanted)
{
    std::int64_t left = gWriteAllowance.load(std::memory_order_relaxed);
    while (left >= 0) {
        const auto taken =
            static_cast<std::size_t>(std::min<std::uint64_t>(wanted, static_cast<std::uint64_t>(left)));
        if (gWriteAllowance.compare_exchange_weak(left, left - static_cast<std::int64_t>(taken),
                                                  std::memory_order_relaxed)) {
            return taken;
        }
    }
    return wanted; // lifted meanwhile
}

} // namespace file_access_detail

void LimitWritesForTests(std::uint64_t bytes)
{
    constexpr auto kMost = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    file_access_detail::gWriteAllowance.store(static_cast<std::int64_t>(std::min(bytes, kMost)));
}

void UnlimitWritesForTests()
{
    file_access_detail::gWriteAllowance.store(-1);
}

} // namespace dorvanta
