#include "data/record_layout.h"

#include "data/scramble.h"

#include <cstring>

namespace dorvanta {

std::string ReadField(const std::uint8_t* record, const FieldLayout& field)
{
    const std::size_t length = FieldLength(record, field);
    std::string text(length, '\0');
    UnscrambleInto(record + field.offset + 1, length, text.data());
    return text;
}

void WriteField(std::uint8_t* record, const FieldLayout& field, std::string_view text)
{
    const std::size_t length = text.size() < field.maxLength ? text.size() : field.maxLength;
    std::uint8_t* out = record + field.offset;
    out[0] = static_cast<std::uint8_t>(length);
    // Copied and scrambled in one pass (an empty view's null pointer is never read).
    ScrambleInto(text.data(), length, out + 1);
    std::memset(out + 1 + length, 0, field.maxLength - length);
}

bool StoredEquals(const std::uint8_t* record, const FieldLayout& field, std::string_view scrambled)
{
    const std::size_t length = FieldLength(record, field);
    return length == scrambled.size() &&
           (length == 0 || std::memcmp(record + field.offset + 1, scrambled.data(), length) == 0);
}

char StoredLastChar(const std::uint8_t* record, const FieldLayout& field)
{
    const std::size_t length = FieldLength(record, field);
    return length == 0 ? '\0' : static_cast<char>(record[field.offset + length] ^ kScrambleMask[length - 1]);
}

} // namespace dorvanta
