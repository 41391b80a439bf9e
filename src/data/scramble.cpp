#include "data/scramble.h"

namespace dorvanta {

std::string ScrambleField(std::string_view text)
{
    std::string result(text);
    for (std::size_t i = 0; i < result.size(); ++i) {
        const std::size_t p = i + 1;
        result[i] = static_cast<char>(static_cast<std::uint8_t>(result[i]) ^ kScrambleKey5[p % 5] ^
                                      kScrambleKey4[p % 4]);
    }
    return result;
}

} // namespace dorvanta
