#include "data/company_record.h"

namespace dorvanta {

namespace {
using Member = std::string CompanyRecord::*;
constexpr std::array<Member, company_layout::FieldCount> kMembers = {
    &CompanyRecord::Company,   &CompanyRecord::County,
    &CompanyRecord::Address,   &CompanyRecord::Representative,
    &CompanyRecord::Mobile,    &CompanyRecord::Phone,
    &CompanyRecord::Fax,       &CompanyRecord::Email,
    &CompanyRecord::Web,       &CompanyRecord::Activity1,
    &CompanyRecord::Activity2, &CompanyRecord::Activity3,
    &CompanyRecord::Activity4, &CompanyRecord::Description,
};
} // namespace

std::string& CompanyRecord::Field(std::size_t index)
{
    return this->*kMembers.at(index);
}

const std::string& CompanyRecord::Field(std::size_t index) const
{
    return this->*kMembers.at(index);
}

CompanyRecord CompanyRecord::Decode(const std::uint8_t* raw)
{
    CompanyRecord record;
    for (std::size_t i = 0; i < company_layout::FieldCount; ++i) {
        record.Field(i) = ReadField(raw, company_layout::kFields[i]);
    }
    return record;
}

CompanyRecord::Raw CompanyRecord::Encode() const
{
    Raw raw{};
    for (std::size_t i = 0; i < company_layout::FieldCount; ++i) {
        WriteField(raw.data(), company_layout::kFields[i], Field(i));
    }
    return raw;
}

std::string_view ActivityCategoryCode(std::string_view entry)
{
    const std::size_t star = entry.find('*');
    return star == std::string_view::npos ? std::string_view{} : entry.substr(0, star);
}

char ActivityTypeLetter(std::string_view entry)
{
    return entry.empty() ? '\0' : entry.back();
}

char ActivityGroupLetter(std::string_view entry)
{
    return entry.empty() ? '\0' : entry.front();
}

} // namespace dorvanta
