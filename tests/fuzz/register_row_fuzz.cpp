// One company of the trade register, its fields cut from the input at "^" as
// a row of the register's files is: whatever the bytes, the company line it
// maps to is one the import reads back field for field, each within its width.
#include "data/record_layout.h"
#include "import/register_mapping.h"
#include "import/record_import.h"

#include <cstdlib>

using namespace dorvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const auto next = [&rest] {
        const std::size_t caret = rest.find('^');
        const std::string_view field = rest.substr(0, caret);
        rest = caret == std::string_view::npos ? std::string_view() : rest.substr(caret + 1);
        return std::string(field);
    };
    RegisterCompany company;
    for (std::string* field :
         {&company.name, &company.cui, &company.registration, &company.registrationDate, &company.legalForm,
          &company.country, &company.county, &company.locality, &company.street, &company.number,
          &company.block, &company.staircase, &company.floor, &company.flat, &company.postalCode,
          &company.sector, &company.web}) {
        *field = next();
    }
    while (!rest.empty()) {
        const std::string code = next();
        const std::string version = next();
        company.activities.push_back({version.empty() ? 0 : version[0] - '0', code});
        company.states.push_back({static_cast<int>(code.size()) * 1000 + 48, next()});
    }
    RegisterMappingCounts counts;
    const RegisterLineFields fields = MapRegisterCompany(company, counts);
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (fields[k].size() > company_layout::kFields[k].maxLength ||
            fields[k].find('`') != std::string::npos) {
            std::abort();
        }
    }
    const std::string line = CompanyLineOf(fields);
    const CompanyLine parsed = ParseCompanyLine(line);
    if (line.size() >= 10 && !parsed.valid) {
        std::abort();
    }
    for (std::size_t k = 0; parsed.valid && k < fields.size(); ++k) {
        if (parsed.fields[k] != fields[k]) {
            std::abort();
        }
    }
    return 0;
}
