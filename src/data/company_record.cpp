#include "data/company_record.h"

#include "data/record_codec.h"

namespace dorvanta {

namespace {
using Codec = RecordCodec<CompanyRecord, company_layout::FieldCount>;
constexpr Codec::Members kMembers = {
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
    return Codec::Field(*this, kMembers, index);
}

const std::string& CompanyRecord::Field(std::size_t index) const
{
    return Codec::Field(*this, kMembers, index);
}

CompanyRecord CompanyRecord::Decode(const std::uint8_t* raw)
{
    return Codec::Decode(raw, kMembers, company_layout::kFields);
}

CompanyRecord::Raw CompanyRecord::Encode() const
{
    return Codec::Encode<Raw>(*this, kMembers, company_layout::kFields);
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
