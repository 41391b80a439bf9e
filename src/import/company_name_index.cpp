#include "import/company_name_index.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>

namespace dorvanta {

namespace {
constexpr std::size_t kFirstSlots = 1024; // a power of two
} // namespace

CompanyNameIndex::CompanyNameIndex() : slots_(kFirstSlots) {}

// A hash of the whole name, a word at a time.
std::uint64_t CompanyNameIndex::Hash(std::string_view name) noexcept
{
    std::uint64_t hash = name.size() * 0x9E3779B97F4A7C15ull;
    std::size_t i = 0;
    for (; i + 8 <= name.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, name.data() + i, 8);
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
        hash ^= hash >> 29;
    }
    if (i < name.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, name.data() + i, name.size() - i);
        hash = (hash ^ word) * 0xC4CEB9FE1A85EC53ull;
    }
    return hash ^ (hash >> 32);
}

CompanyNameIndex::Id CompanyNameIndex::Lookup(std::string_view key, std::uint64_t hash) const
{
    const std::size_t mask = slots_.size() - 1;
    const auto tag = static_cast<std::uint32_t>(hash >> 32);
    for (std::size_t i = tag & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.entry == kNoEntry) {
            return kNoId;
        }
        if (slot.hash == tag) {
            const Entry& entry = entries_[slot.entry];
            // An empty key (a blanked record's name) may come with a null pointer,
            // which memcmp must not be given.
            if (entry.keyLength == key.size() &&
                (key.empty() || std::memcmp(text_.data() + entry.keyOffset, key.data(), key.size()) == 0)) {
                return slot.entry;
            }
        }
    }
}

CompanyNameIndex::Id CompanyNameIndex::IdOf(std::string_view key) const
{
    return Lookup(key, Hash(key));
}

void CompanyNameIndex::Grow()
{
    std::vector<Slot> slots(slots_.size() * 2);
    const std::size_t mask = slots.size() - 1;
    for (const Slot& slot : slots_) {
        if (slot.entry == kNoEntry) {
            continue;
        }
        // The tag is where the slot search starts: moving a slot reads
        // neither its entry nor its text.
        std::size_t i = slot.hash & mask;
        while (slots[i].entry != kNoEntry) {
            i = (i + 1) & mask;
        }
        slots[i] = slot;
    }
    slots_.swap(slots);
}

CompanyNameIndex::Id CompanyNameIndex::Insert(std::string_view key)
{
    const std::uint64_t hash = Hash(key);
    if (const Id id = Lookup(key, hash); id != kNoId) {
        return id;
    }
    if (entries_.size() >= kNoEntry - 1) {
        throw std::length_error("too many company names in one answer");
    }
    // At most half the slots in use keeps the probe sequences short.
    if ((entries_.size() + 1) * 2 > slots_.size()) {
        Grow();
    }
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = static_cast<std::size_t>(hash >> 32) & mask;
    while (slots_[i].entry != kNoEntry) {
        i = (i + 1) & mask;
    }
    slots_[i] = Slot{static_cast<std::uint32_t>(entries_.size()), static_cast<std::uint32_t>(hash >> 32)};
    Entry entry;
    entry.keyOffset = text_.size();
    entry.keyLength = static_cast<std::uint32_t>(key.size());
    entries_.push_back(entry);
    text_.append(key);
    if (key.size() < lengths_.size()) {
        lengths_[key.size()] = true;
    }
    return static_cast<Id>(entries_.size() - 1);
}

std::optional<std::uint64_t> CompanyNameIndex::Find(std::string_view key) const
{
    const Id id = IdOf(key);
    return id == kNoId ? std::nullopt : FirstOf(id);
}

std::optional<std::uint64_t> CompanyNameIndex::FirstOf(Id id) const
{
    if (entries_[id].first == kNoRecord) {
        return std::nullopt;
    }
    return entries_[id].first;
}

void CompanyNameIndex::Add(std::string_view key, std::uint64_t number)
{
    if (const Id id = IdOf(key); id != kNoId) {
        AddTo(id, number);
    }
}

void CompanyNameIndex::AddTo(Id id, std::uint64_t number)
{
    Entry* entry = &entries_[id];
    if (entry->first == kNoRecord) {
        entry->first = number;
        return;
    }
    if (number < entry->first) {
        std::swap(number, entry->first);
    }
    if (entry->later == kNoEntry) {
        entry->later = static_cast<std::uint32_t>(heaps_.size());
        heaps_.emplace_back();
    }
    std::vector<std::uint64_t>& later = heaps_[entry->later];
    later.push_back(number);
    std::push_heap(later.begin(), later.end(), std::greater<>());
}

void CompanyNameIndex::RemoveFirst(std::string_view key)
{
    if (const Id id = IdOf(key); id != kNoId) {
        RemoveFirstOf(id);
    }
}

void CompanyNameIndex::RemoveFirstOf(Id id)
{
    Entry* entry = &entries_[id];
    if (entry->later == kNoEntry || heaps_[entry->later].empty()) {
        entry->first = kNoRecord;
        return;
    }
    std::vector<std::uint64_t>& later = heaps_[entry->later];
    std::pop_heap(later.begin(), later.end(), std::greater<>());
    entry->first = later.back();
    later.pop_back();
}

} // namespace dorvanta
