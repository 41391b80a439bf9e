#include "pages/pages.h"

namespace dorvanta {

int BannerNumbers::Next()
{
    // A linear congruential step with fixed constants: the same succession on
    // every platform and compiler, unlike the library's distributions. The low
    // bits of such a generator repeat quickly, so the number is taken from the
    // high bits by scaling the state onto 0..2.
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<int>((static_cast<std::uint64_t>(state_) * 3u) >> 32) + 1;
}

} // namespace dorvanta
