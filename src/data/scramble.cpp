#include "data/scramble.h"

namespace dorvanta {

std::string ScrambleField(std::string_view text)
{
    // The mask repeats every 20 bytes (5 × 4), so texts longer than a field
    // take it from the start of the table again.
    constexpr std::size_t kPeriod = kScrambleKey5.size() * kScrambleKey4.size();
    std::string result(text);
    for (std::size_t i = 0; i < result.size(); ++i) {
        result[i] = static_cast<char>(static_cast<std::uint8_t>(result[i]) ^ kScrambleMask[i % kPeriod]);
    }
    return result;
}

} // namespace dorvanta
