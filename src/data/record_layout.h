#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Byte layouts of the two record files. Every field is one length byte
// followed by `maxLength` character bytes; offsets are computed from the
// sizes once, here, and checked at compile time.
namespace dorvanta {

struct FieldLayout
{
    std::uint16_t offset;
    std::uint8_t maxLength;
    std::string_view name;

    constexpr std::size_t size() const { return std::size_t{maxLength} + 1; }
    constexpr std::size_t end() const { return offset + size(); }
};

template <std::size_t N>
constexpr std::array<FieldLayout, N>
LayFields(const std::array<std::pair<std::string_view, std::uint8_t>, N>& fields)
{
    std::array<FieldLayout, N> laid{};
    std::uint16_t offset = 0;
    for (std::size_t i = 0; i < N; ++i) {
        laid[i] = FieldLayout{offset, fields[i].second, fields[i].first};
        offset = static_cast<std::uint16_t>(offset + fields[i].second + 1);
    }
    return laid;
}

namespace company_layout {
inline constexpr std::size_t kRecordSize = 766;
enum Field : std::size_t
{
    Company,
    County,
    Address,
    Representative,
    Mobile,
    Phone,
    Fax,
    Email,
    Web,
    Activity1,
    Activity2,
    Activity3,
    Activity4,
    Description,
    FieldCount
};
inline constexpr std::array<FieldLayout, FieldCount> kFields = LayFields<FieldCount>({{
    {"Company", 80},
    {"County", 2},
    {"Address", 90},
    {"Representative", 59},
    {"Mobile", 55},
    {"Phone", 60},
    {"Fax", 56},
    {"Email", 65},
    {"Web", 53},
    {"Activity1", 8},
    {"Activity2", 8},
    {"Activity3", 8},
    {"Activity4", 8},
    {"Description", 200},
}});
static_assert(kFields[County].offset == 81 && kFields[Address].offset == 84);
static_assert(kFields[Web].offset == 475 && kFields[Activity1].offset == 529);
static_assert(kFields[Description].offset == 565 && kFields[Description].end() == kRecordSize);
} // namespace company_layout

namespace opportunity_layout {
inline constexpr std::size_t kRecordSize = 578;
enum Field : std::size_t
{
    AdId,
    DomainLetter,
    Company,
    Reserved,
    County,
    Subject,
    InsertDate,
    Description,
    AdType,
    Representative,
    Phone,
    Fax,
    Email,
    Web,
    FieldCount
};
inline constexpr std::array<FieldLayout, FieldCount> kFields = LayFields<FieldCount>({{
    {"AdId", 6},
    {"DomainLetter", 8},
    {"Company", 40},
    {"Reserved", 16},
    {"County", 3},
    {"Subject", 45},
    {"InsertDate", 10},
    {"Description", 255},
    {"AdType", 1},
    {"Representative", 30},
    {"Phone", 40},
    {"Fax", 30},
    {"Email", 40},
    {"Web", 40},
}});
static_assert(kFields[DomainLetter].offset == 7 && kFields[County].offset == 74);
static_assert(kFields[Subject].offset == 78 && kFields[Description].offset == 135);
static_assert(kFields[AdType].offset == 391 && kFields[Web].offset == 537);
static_assert(kFields[Web].end() == kRecordSize);
} // namespace opportunity_layout

// Reads one field of a raw record: the length byte, clamped to the field's
// maximum so that a damaged file never makes us read past the field, then
// the unscrambled text.
std::string ReadField(const std::uint8_t* record, const FieldLayout& field);

// Length of a stored field, clamped to its maximum.
inline std::size_t FieldLength(const std::uint8_t* record, const FieldLayout& field)
{
    const std::size_t length = record[field.offset];
    return length > field.maxLength ? field.maxLength : length;
}

// Whether a stored field holds exactly the text whose scrambled form is
// given: the searches compare criteria this way, without unscrambling.
bool StoredEquals(const std::uint8_t* record, const FieldLayout& field, std::string_view scrambled);

// The last character of a stored field, unscrambled; 0 for an empty field.
char StoredLastChar(const std::uint8_t* record, const FieldLayout& field);

// Stores a plain text into one field of a raw record: scrambled, cut to the
// field's maximum, with its length byte. Bytes after the text are cleared.
void WriteField(std::uint8_t* record, const FieldLayout& field, std::string_view text);

} // namespace dorvanta
