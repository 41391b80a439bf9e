#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Millions of short texts (registration numbers, name keys), each kept once
// and known by a dense number: one block of text, one offset per text and an
// open-addressing table of numbers. No allocation per text, which a map of
// strings would make at about 50 bytes each.
namespace dorvanta {

class TextIntern
{
public:
    using Id = std::uint32_t;
    static constexpr Id kNone = ~Id{0};

    // The number of `text`, adding it when new; `added` tells which.
    Id Intern(std::string_view text, bool& added);
    Id Intern(std::string_view text)
    {
        bool added = false;
        return Intern(text, added);
    }
    // The number of `text`, or kNone.
    Id Find(std::string_view text) const;
    // The numbers of many texts at once: their places in the table are asked
    // for together, so that the cache misses of a table far larger than the
    // cache overlap instead of coming one after the other.
    void FindMany(std::span<const std::string_view> texts, std::span<Id> ids) const;

    // Room for `count` texts without growing on the way.
    void Reserve(std::size_t count);
    bool Contains(std::string_view text) const { return Find(text) != kNone; }

    std::string_view Text(Id id) const
    {
        return std::string_view(text_).substr(offsets_[id], offsets_[id + 1] - offsets_[id]);
    }
    std::size_t size() const { return offsets_.size() - 1; }
    std::size_t MemoryBytes() const
    {
        return text_.capacity() + offsets_.capacity() * sizeof(std::uint64_t) +
               slots_.capacity() * sizeof(std::uint64_t);
    }

private:
    // A slot holds a number in its low half and the high half of its
    // text's hash in the other, so that a search reads the text only when
    // the hashes agree; kEmpty in a free slot.
    static constexpr std::uint64_t kEmpty = ~std::uint64_t{0};

    void Grow() { Rehash(slots_.empty() ? 1024 : slots_.size() * 2); }
    void Rehash(std::size_t count);
    std::size_t SlotOf(std::string_view text, std::uint64_t hash) const;

    std::string text_;
    std::vector<std::uint64_t> offsets_{0};
    std::vector<std::uint64_t> slots_; // the size a power of two
};

} // namespace dorvanta
