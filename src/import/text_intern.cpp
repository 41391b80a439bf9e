#include "import/text_intern.h"

#include <algorithm>
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
    const std::uint64_t tag = hash & ~std::uint64_t{0xFFFFFFFF};
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t entry = slots_[slot];
        if (entry == kEmpty ||
            ((entry & ~std::uint64_t{0xFFFFFFFF}) == tag && Text(static_cast<Id>(entry)) == text)) {
            return slot;
        }
    }
}

void TextIntern::Reserve(std::size_t count)
{
    std::size_t slots = 1024;
    while (slots < count * 2) {
        slots *= 2;
    }
    if (slots > slots_.size()) {
        Rehash(slots);
    }
}

void TextIntern::Rehash(std::size_t count)
{
    if (count > (std::size_t{1} << 31)) {
        throw std::length_error("too many texts");
    }
    slots_.assign(count, kEmpty);
    const std::size_t mask = count - 1;
    for (Id id = 0; id < size(); ++id) {
        const std::uint64_t hash = HashOf(Text(id));
        std::size_t slot = hash & mask;
        while (slots_[slot] != kEmpty) {
            slot = (slot + 1) & mask;
        }
        slots_[slot] = (hash & ~std::uint64_t{0xFFFFFFFF}) | id;
    }
}

TextIntern::Id TextIntern::Intern(std::string_view text, bool& added)
{
    // At most half full, so that a search meets few occupied slots.
    if ((size() + 1) * 2 > slots_.size()) {
        Grow();
    }
    const std::uint64_t hash = HashOf(text);
    const std::size_t slot = SlotOf(text, hash);
    added = slots_[slot] == kEmpty;
    if (added) {
        if (size() >= kNone - 1) {
            throw std::length_error("too many texts");
        }
        slots_[slot] = (hash & ~std::uint64_t{0xFFFFFFFF}) | static_cast<Id>(size());
        text_.append(text);
        offsets_.push_back(text_.size());
    }
    return static_cast<Id>(slots_[slot]);
}

TextIntern::Id TextIntern::Find(std::string_view text) const
{
    if (slots_.empty()) {
        return kNone;
    }
    const std::uint64_t entry = slots_[SlotOf(text, HashOf(text))];
    return entry == kEmpty ? kNone : static_cast<Id>(entry);
}

void TextIntern::FindMany(std::span<const std::string_view> texts, std::span<Id> ids) const
{
    if (slots_.empty()) {
        std::fill(ids.begin(), ids.end(), kNone);
        return;
    }
    constexpr std::size_t kBatch = 32;
    std::uint64_t hashes[kBatch];
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t begin = 0; begin < texts.size(); begin += kBatch) {
        const std::size_t count = std::min(kBatch, texts.size() - begin);
        for (std::size_t i = 0; i < count; ++i) {
            hashes[i] = HashOf(texts[begin + i]);
            __builtin_prefetch(&slots_[hashes[i] & mask]);
        }
        // The first slot of each has arrived: where its text lies is asked
        // for, then the text.
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint64_t entry = slots_[hashes[i] & mask];
            if (entry != kEmpty) {
                __builtin_prefetch(&offsets_[static_cast<Id>(entry)]);
            }
        }
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint64_t entry = slots_[hashes[i] & mask];
            if (entry != kEmpty) {
                __builtin_prefetch(text_.data() + offsets_[static_cast<Id>(entry)]);
            }
        }
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint64_t entry = slots_[SlotOf(texts[begin + i], hashes[i])];
            ids[begin + i] = entry == kEmpty ? kNone : static_cast<Id>(entry);
        }
    }
}

} // namespace dorvanta
