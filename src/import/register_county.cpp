#include "import/register_county.h"

namespace dorvanta {

std::string RegisterCountyCode(std::string_view, std::string_view)
{
    return {};
}

} // namespace dorvanta
