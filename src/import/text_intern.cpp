#include "import/text_intern.h"

#include <stdexcept>

namespace dorvanta {

namespace {

// FNV-1a, then mixed, so that texts differing in their last bytes (J40/1/2020,
// J40/2/2020) spread over the whole table.
std::uint64_t HashOf(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    hash ^= hash >> 31;
    hash *= 0x9E3779B97F4A7C15ull;
    return hash ^ (hash >> 29);
}

} // namespace

std::size_t TextIntern::SlotOf(std::string_view text, std::uint64_t hash) const
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Id id = slots_[slot];
        if (id == kNone || Text(id) == text) {
            return slot;
        }
    }
}

void TextIntern::Grow()
{
    const std::size_t count = slots_.empty() ? 1024 : slots_.size() * 2;
    if (count > (std::size_t{1} << 31)) {
        throw std::length_error("too many texts");
    }
    slots_.assign(count, kNone);
    const std::size_t mask = count - 1;
    for (Id id = 0; id < size(); ++id) {
        std::size_t slot = HashOf(Text(id)) & mask;
        while (slots_[slot] != kNone) {
            slot = (slot + 1) & mask;
        }
        slots_[slot] = id;
    }
}

TextIntern::Id TextIntern::Intern(std::string_view text, bool& added)
{
    // At most half full, so that a search meets few occupied slots.
    if ((size() + 1) * 2 > slots_.size()) {
        Grow();
    }
    const std::size_t slot = SlotOf(text, HashOf(text));
    added = slots_[slot] == kNone;
    if (added) {
        if (size() >= kNone - 1) {
            throw std::length_error("too many texts");
        }
        slots_[slot] = static_cast<Id>(size());
        text_.append(text);
        offsets_.push_back(text_.size());
    }
    return slots_[slot];
}

TextIntern::Id TextIntern::Find(std::string_view text) const
{
    return slots_.empty() ? kNone : slots_[SlotOf(text, HashOf(text))];
}

} // namespace dorvanta
