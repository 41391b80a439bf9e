#pragma once

#include <string>
#include <string_view>

namespace dorvanta {

// The county code of the code table from the register's ADR_JUDET and ADR_TARA
// (Windows-1250 bytes, as RegisterTextTo1250 gives them). The county is matched
// without regard to case, diacritics (comma below or cedilla), hyphens and
// extra spaces; Bucharest in any of its forms ("Municipiul București",
// "București Sectorul 1", "Mun. Bucuresti", "Sector 3") gives its code. "OU"
// when the country is not Romania (an empty country is Romania); empty when the
// county is unknown.
std::string RegisterCountyCode(std::string_view adrJudet1250, std::string_view adrTara1250);

} // namespace dorvanta
