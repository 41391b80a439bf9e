#pragma once

#include "data/record_layout.h"

#include <array>
#include <cstdint>
#include <string>

namespace dorvanta {

// One business advertisement of bursa.db, with every field unscrambled.
struct OpportunityRecord
{
    std::string AdId;
    std::string DomainLetter;
    std::string Company;
    std::string Reserved;
    std::string County;
    std::string Subject;
    std::string InsertDate;
    std::string Description;
    std::string AdType;
    std::string Representative;
    std::string Phone;
    std::string Fax;
    std::string Email;
    std::string Web;

    using Raw = std::array<std::uint8_t, opportunity_layout::kRecordSize>;

    std::string& Field(std::size_t index);
    const std::string& Field(std::size_t index) const;

    static OpportunityRecord Decode(const std::uint8_t* raw);
    Raw Encode() const;

    bool operator==(const OpportunityRecord&) const = default;
};

} // namespace dorvanta
