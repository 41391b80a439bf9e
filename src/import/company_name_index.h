#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvanta {

// Where the names that the lines of one company answer look for stand in
// database.db. Only those names can ever be looked up, so only records that
// hold one of them are indexed: a full-size answer looks up hundreds of
// thousands of names, a small one passes over most records of the file.
//
// The keys are the upper-cased names, kept one after the other in one block
// of text, and found through an open-addressing table of (entry, hash) pairs:
// a lookup touches one slot, and the text only when the hashes agree. No
// allocation per name, which a node-based map would make.
//
// A lookup gives the first record in file order, as a scan from the start
// would. A name held by more than one record (blanked records all hold the
// empty name) keeps its later record numbers in a min-heap, so that when the
// first one changes name the next one in file order takes its place.
class CompanyNameIndex
{
public:
    CompanyNameIndex();

    // Names are also known by a number, which saves a second lookup of a
    // name whose number was kept.
    using Id = std::uint32_t;
    static constexpr Id kNoId = ~Id{0};

    // A name that lines look for; a name already there is not added again.
    // Returns its number.
    Id Insert(std::string_view key);

    // The number of `key`, or kNoId; and the name of a number.
    Id IdOf(std::string_view key) const;
    Id IdOf(std::string_view key, std::uint64_t hash) const { return Lookup(key, hash); }
    std::string_view Key(Id id) const
    {
        return std::string_view(text_).substr(entries_[id].keyOffset, entries_[id].keyLength);
    }

    // Names inserted.
    std::size_t size() const { return entries_.size(); }

    // Whether some name of this length was inserted: most records are
    // passed over without reading their name.
    bool MayHoldLength(std::size_t length) const { return length < lengths_.size() && lengths_[length]; }

    // The first record that holds `key`, if any.
    std::optional<std::uint64_t> Find(std::string_view key) const;
    std::optional<std::uint64_t> FirstOf(Id id) const;

    // Record `number` now holds `key`; ignored for a name no line looks for.
    void Add(std::string_view key, std::uint64_t number);
    // Record `number` now holds name `id`.
    void AddTo(Id id, std::uint64_t number);

    // For a caller that looks up many keys: the hash of a key, a hint that
    // brings its place in the table into the cache ahead of the IdOf (a
    // table of a full-size answer is far larger than the cache).
    static std::uint64_t Hash(std::string_view key) noexcept;
    void Prefetch(std::uint64_t hash) const
    {
        __builtin_prefetch(&slots_[static_cast<std::size_t>(hash >> 32) & (slots_.size() - 1)]);
    }
    // Once the place has arrived: brings the entry it names into the cache.
    void PrefetchEntry(std::uint64_t hash) const
    {
        const Slot& slot = slots_[static_cast<std::size_t>(hash >> 32) & (slots_.size() - 1)];
        if (slot.entry != kNoEntry) {
            __builtin_prefetch(&entries_[slot.entry]);
        }
    }
    // For a caller that goes through names by number: brings the entry of
    // name `id` into the cache, and later, once it is there, its text.
    // kNoId asks for nothing.
    void PrefetchNameEntry(Id id) const
    {
        if (id < entries_.size()) {
            __builtin_prefetch(&entries_[id]);
        }
    }
    void PrefetchNameText(Id id) const
    {
        if (id < entries_.size()) {
            __builtin_prefetch(text_.data() + entries_[id].keyOffset);
        }
    }

    // The first record of `key` no longer holds that name.
    void RemoveFirst(std::string_view key);
    void RemoveFirstOf(Id id);

private:
    static constexpr std::uint64_t kNoRecord = ~std::uint64_t{0};
    static constexpr std::uint32_t kNoEntry = kNoId;

    struct Entry
    {
        std::uint64_t first = kNoRecord;
        std::uint64_t keyOffset = 0; // in text_
        std::uint32_t keyLength = 0;
        std::uint32_t later = kNoEntry; // index into heaps_, when more than one record holds the name
    };
    struct Slot
    {
        std::uint32_t entry = kNoEntry;
        std::uint32_t hash = 0; // the high half of the key's hash
    };

    // The number of `key`, or kNoId.
    Id Lookup(std::string_view key, std::uint64_t hash) const;
    void Grow();

    std::vector<Slot> slots_;
    std::vector<Entry> entries_;
    std::string text_;
    std::vector<std::vector<std::uint64_t>> heaps_;
    std::vector<bool> lengths_ = std::vector<bool>(256);
};

} // namespace dorvanta
