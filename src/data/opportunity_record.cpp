#include "data/opportunity_record.h"

#include "data/record_codec.h"

namespace dorvanta {

namespace {
using Codec = RecordCodec<OpportunityRecord, opportunity_layout::FieldCount>;
constexpr Codec::Members kMembers = {
    &OpportunityRecord::AdId,           &OpportunityRecord::DomainLetter, &OpportunityRecord::Company,
    &OpportunityRecord::Reserved,       &OpportunityRecord::County,       &OpportunityRecord::Subject,
    &OpportunityRecord::InsertDate,     &OpportunityRecord::Description,  &OpportunityRecord::AdType,
    &OpportunityRecord::Representative, &OpportunityRecord::Phone,        &OpportunityRecord::Fax,
    &OpportunityRecord::Email,          &OpportunityRecord::Web,
};
} // namespace

std::string& OpportunityRecord::Field(std::size_t index)
{
    return Codec::Field(*this, kMembers, index);
}

const std::string& OpportunityRecord::Field(std::size_t index) const
{
    return Codec::Field(*this, kMembers, index);
}

OpportunityRecord OpportunityRecord::Decode(const std::uint8_t* raw)
{
    return Codec::Decode(raw, kMembers, opportunity_layout::kFields);
}

OpportunityRecord::Raw OpportunityRecord::Encode() const
{
    return Codec::Encode<Raw>(*this, kMembers, opportunity_layout::kFields);
}

} // namespace dorvanta
