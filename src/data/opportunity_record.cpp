#include "data/opportunity_record.h"

namespace dorvanta {

namespace {
using Member = std::string OpportunityRecord::*;
constexpr std::array<Member, opportunity_layout::FieldCount> kMembers = {
    &OpportunityRecord::AdId,           &OpportunityRecord::DomainLetter, &OpportunityRecord::Company,
    &OpportunityRecord::Reserved,       &OpportunityRecord::County,       &OpportunityRecord::Subject,
    &OpportunityRecord::InsertDate,     &OpportunityRecord::Description,  &OpportunityRecord::AdType,
    &OpportunityRecord::Representative, &OpportunityRecord::Phone,        &OpportunityRecord::Fax,
    &OpportunityRecord::Email,          &OpportunityRecord::Web,
};
} // namespace

std::string& OpportunityRecord::Field(std::size_t index)
{
    return this->*kMembers.at(index);
}

const std::string& OpportunityRecord::Field(std::size_t index) const
{
    return this->*kMembers.at(index);
}

OpportunityRecord OpportunityRecord::Decode(const std::uint8_t* raw)
{
    OpportunityRecord record;
    for (std::size_t i = 0; i < opportunity_layout::FieldCount; ++i) {
        record.Field(i) = ReadField(raw, opportunity_layout::kFields[i]);
    }
    return record;
}

OpportunityRecord::Raw OpportunityRecord::Encode() const
{
    Raw raw{};
    for (std::size_t i = 0; i < opportunity_layout::FieldCount; ++i) {
        WriteField(raw.data(), opportunity_layout::kFields[i], Field(i));
    }
    return raw;
}

} // namespace dorvanta
