#pragma once

#include "data/record_layout.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace dorvanta {

// One company of database.db, with every field unscrambled.
struct CompanyRecord
{
    std::string Company;
    std::string County;
    std::string Address;
    std::string Representative;
    std::string Mobile;
    std::string Phone;
    std::string Fax;
    std::string Email;
    std::string Web;
    std::string Activity1;
    std::string Activity2;
    std::string Activity3;
    std::string Activity4;
    std::string Description;

    using Raw = std::array<std::uint8_t, company_layout::kRecordSize>;

    // Field i in file order (0 = Company ... 13 = Description).
    std::string& Field(std::size_t index);
    const std::string& Field(std::size_t index) const;

    std::array<const std::string*, 4> Activities() const
    {
        return {&Activity1, &Activity2, &Activity3, &Activity4};
    }

    static CompanyRecord Decode(const std::uint8_t* raw);
    Raw Encode() const;

    bool IsDeleted() const { return Company.empty(); }
    bool operator==(const CompanyRecord&) const = default;
};

// Parts of an activity entry such as "a.c.21*s".
// The category code is the text before the first "*"; an entry without "*"
// has no usable code.
std::string_view ActivityCategoryCode(std::string_view entry);
// The company type letter: the entry's last character (0 when empty).
char ActivityTypeLetter(std::string_view entry);
// The domain group letter: the entry's first character (0 when empty).
char ActivityGroupLetter(std::string_view entry);

} // namespace dorvanta
