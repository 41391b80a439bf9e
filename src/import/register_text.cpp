#include "import/register_text.h"

namespace dorvanta {

std::string RegisterTextTo1250(std::string_view utf8)
{
    return std::string(utf8);
}

std::string CutTo(std::string_view text, std::size_t width)
{
    return std::string(text.substr(0, width));
}

std::string CutAtWord(std::string_view text, std::size_t width)
{
    return std::string(text.substr(0, width));
}

} // namespace dorvanta
