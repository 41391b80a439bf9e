#pragma once

#include <string>
#include <string_view>

namespace dorvanta {

// The address fields of one register row, UTF-8 as read.
struct RegisterAddressParts
{
    std::string_view street, number, block, staircase, floor, flat, locality, sector, postalCode;
};

// The usual Romanian short address in Windows-1250, empty parts left out:
// "Str. Lipscani nr. 10, bl. A1, sc. 2, et. 3, ap. 14, București Sectorul 1, 030031".
// The sector is added ("Sectorul N") only when the locality does not name it;
// the whole is cut at a word boundary to 90 bytes.
std::string RegisterAddress(const RegisterAddressParts& parts);

} // namespace dorvanta
