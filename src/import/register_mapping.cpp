#include "import/register_mapping.h"

namespace dorvanta {

RegisterLineFields MapRegisterCompany(const RegisterCompany& company, RegisterMappingCounts&)
{
    RegisterLineFields fields;
    fields[0] = company.name;
    return fields;
}

std::string CompanyLineOf(const RegisterLineFields& fields, bool blank)
{
    std::string line(1, blank ? '@' : '!');
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!blank || i == 0) {
            line += fields[i];
        }
        line += '`';
    }
    return line;
}

bool StateEndsCompany(std::string_view)
{
    return false;
}

} // namespace dorvanta
