#include "import/register_mapping.h"

#include "data/letter_case.h"
#include "data/record_layout.h"
#include "import/register_activity.h"
#include "import/register_address.h"
#include "import/register_county.h"
#include "import/register_fields.h"
#include "import/register_text.h"

#include <algorithm>

namespace dorvanta {

namespace {

using company_layout::Field;

std::size_t Width(Field field)
{
    return company_layout::kFields[field].maxLength;
}

std::string TrimmedCode(std::string_view code)
{
    while (!code.empty() && code.front() == ' ') {
        code.remove_prefix(1);
    }
    while (!code.empty() && code.back() == ' ') {
        code.remove_suffix(1);
    }
    return std::string(code);
}

// The activity entries of the company: its classes newest edition first, then
// by class, each category once.
void MapActivities(const RegisterCompany& company, RegisterLineFields& fields, RegisterMappingCounts& counts)
{
    struct Class
    {
        int version;
        std::string code; // four digits when it had three ("111" is 0111)
    };
    std::vector<Class> classes;
    classes.reserve(company.activities.size());
    for (const RegisterActivity& activity : company.activities) {
        std::string code = TrimmedCode(activity.code);
        if (code.size() == 3) {
            code.insert(code.begin(), '0');
        }
        classes.push_back({activity.version, std::move(code)});
    }
    std::sort(classes.begin(), classes.end(), [](const Class& a, const Class& b) {
        return a.version != b.version ? a.version > b.version : a.code < b.code;
    });
    classes.erase(std::unique(classes.begin(), classes.end(),
                              [](const Class& a, const Class& b) {
                                  return a.version == b.version && a.code == b.code;
                              }),
                  classes.end());

    const RegisterActivityTable& table = RegisterActivityTable::Builtin();
    std::size_t filled = 0;
    for (const Class& c : classes) {
        const std::string entry = table.EntryOf(c.version, c.code);
        if (entry.empty()) {
            ++counts.unmappedClasses;
            ++counts.unmappedByClass[{c.version, c.code}];
            continue;
        }
        if (filled == 4) {
            continue;
        }
        const std::string_view category = std::string_view(entry).substr(0, entry.find('*') + 1);
        bool seen = false;
        for (std::size_t k = 0; k < filled; ++k) {
            seen = seen || fields[Field::Activity1 + k].compare(0, category.size(), category) == 0;
        }
        if (!seen) {
            fields[Field::Activity1 + filled++] = entry;
        }
    }
}

} // namespace

RegisterLineFields MapRegisterCompany(const RegisterCompany& company, RegisterMappingCounts& counts)
{
    RegisterLineFields fields;
    fields[Field::Company] = CutTo(RegisterTextTo1250(company.name), Width(Field::Company));

    const std::string county = RegisterTextTo1250(company.county);
    fields[Field::County] = RegisterCountyCode(county, RegisterTextTo1250(company.country));
    if (fields[Field::County].empty()) {
        ++counts.unknownCounty;
    }

    fields[Field::Address] =
        RegisterAddress({company.street, company.number, company.block, company.staircase, company.floor,
                         company.flat, company.locality, company.sector, company.postalCode});

    const RegisterWeb web = RegisterWebOf(RegisterTextTo1250(company.web));
    // An address too long for the field loses its scheme; a cut one would lead nowhere.
    std::string_view address = web.web;
    for (const std::string_view scheme : {"http://", "https://"}) {
        if (address.size() > Width(Field::Web) && address.substr(0, scheme.size()) == scheme) {
            address.remove_prefix(scheme.size());
        }
    }
    fields[Field::Web] = address.size() <= Width(Field::Web) ? std::string(address) : std::string();
    fields[Field::Email] = web.email.size() <= Width(Field::Email) ? web.email : std::string();

    MapActivities(company, fields, counts);

    fields[Field::Description] = RegisterDescription(company);
    return fields;
}

std::string CompanyLineOf(const RegisterLineFields& fields, bool blank)
{
    std::string line;
    line.reserve(1 + fields.size() + (blank ? fields[0].size() : 400));
    line += blank ? '@' : '!';
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!blank || i == 0) {
            line += fields[i];
        }
        line += '`';
    }
    return line;
}

bool StateEndsCompany(std::string_view stateName)
{
    std::string folded = RegisterTextTo1250(stateName);
    for (char& c : folded) {
        c = ToUpper(BaseLetter(c));
    }
    for (const std::string_view stem : {"RADIAT", "DIZOLV", "LICHID", "FALIMENT"}) {
        if (folded.find(stem) != std::string::npos) {
            return true;
        }
    }
    return false;
}

} // namespace dorvanta
