#pragma once

#include "data/record_layout.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace dorvanta {

// The one codec of the two record layouts: a record type lists its text
// members in the order of its layout's fields, and gets Field(i), Decode and
// Encode from here.
template <typename Record, std::size_t N> class RecordCodec
{
public:
    using Members = std::array<std::string Record::*, N>;
    using Fields = std::array<FieldLayout, N>;

    static std::string& Field(Record& record, const Members& members, std::size_t index)
    {
        return record.*members.at(index);
    }
    static const std::string& Field(const Record& record, const Members& members, std::size_t index)
    {
        return record.*members.at(index);
    }

    // Every field of `raw` (unscrambled, cut to its length byte).
    static Record Decode(const std::uint8_t* raw, const Members& members, const Fields& fields)
    {
        Record record;
        for (std::size_t i = 0; i < N; ++i) {
            record.*members[i] = ReadField(raw, fields[i]);
        }
        return record;
    }

    // Every byte of the record: each field scrambled and padded as WriteField does.
    template <typename Raw>
    static Raw Encode(const Record& record, const Members& members, const Fields& fields)
    {
        Raw raw{};
        for (std::size_t i = 0; i < N; ++i) {
            WriteField(raw.data(), fields[i], record.*members[i]);
        }
        return raw;
    }
};

} // namespace dorvanta
