#pragma once

#include <cstddef>
#include <cstdint>
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
    bool Contains(std::string_view text) const { return Find(text) != kNone; }

    std::string_view Text(Id id) const
    {
        return std::string_view(text_).substr(offsets_[id], offsets_[id + 1] - offsets_[id]);
    }
    std::size_t size() const { return offsets_.size() - 1; }
    std::size_t MemoryBytes() const
    {
        return text_.capacity() + offsets_.capacity() * sizeof(std::uint64_t) +
               slots_.capacity() * sizeof(Id);
    }

private:
    void Grow();
    std::size_t SlotOf(std::string_view text, std::uint64_t hash) const;

    std::string text_;
    std::vector<std::uint64_t> offsets_{0};
    std::vector<Id> slots_; // kNone or a number; the size a power of two
};

} // namespace dorvanta
