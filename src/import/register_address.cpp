#include "import/register_address.h"

namespace dorvanta {

std::string RegisterAddress(const RegisterAddressParts&)
{
    return {};
}

} // namespace dorvanta
