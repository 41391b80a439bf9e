#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dorvanta {

// The record numbers of each word of one field, in little memory: a sorted
// dictionary of the words (lower case, ordered by their base letters first,
// so that every spelling of a word with or without diacritics lies in one
// run) and, per word, the gaps between its record numbers as variable-length
// integers (one byte for a gap under 128, as the common words' are).
class WordPostings
{
public:
    // Collects the words record by record; records come in ascending order.
    class Builder
    {
    public:
        void Add(std::string_view word, std::uint32_t record);
        WordPostings Finish();

    private:
        struct List
        {
            std::string bytes;
            std::uint32_t lastPlusOne = 0;
        };
        struct Hash
        {
            using is_transparent = void;
            std::size_t operator()(std::string_view text) const
            {
                return std::hash<std::string_view>{}(text);
            }
        };
        std::unordered_map<std::string, std::uint32_t, Hash, std::equal_to<>> ids_;
        std::vector<std::string> words_;
        std::vector<List> lists_;
    };

    // A run of encoded record numbers.
    struct Span
    {
        const std::uint8_t* begin = nullptr;
        const std::uint8_t* end = nullptr;
        std::size_t Bytes() const { return static_cast<std::size_t>(end - begin); }
    };

    // The lists of `word` (folded as the dictionary is): of that word alone,
    // or, with `baseLetters`, of every word whose base letters it is.
    std::vector<Span> Find(std::string_view word, bool baseLetters) const;

    // Decodes a list.
    static void Decode(Span span, std::vector<std::uint32_t>& out);
    // Reads the next record number of a list at `at`: `currentPlusOne`, the
    // one before plus one (0 before the first), becomes this one plus one.
    static const std::uint8_t* Next(const std::uint8_t* at, std::uint32_t& currentPlusOne);

    std::size_t MemoryBytes() const;
    std::size_t WordCount() const { return starts_.empty() ? 0 : starts_.size() - 1; }

private:
    std::string_view Word(std::size_t i) const
    {
        return std::string_view(words_).substr(starts_[i], starts_[i + 1] - starts_[i]);
    }

    std::string words_;                 // the words one after another, in dictionary order
    std::vector<std::uint32_t> starts_; // word i: words_[starts_[i], starts_[i + 1])
    std::vector<std::uint64_t> lists_;  // list i: postings_[lists_[i], lists_[i + 1])
    std::vector<std::uint8_t> postings_;
};

} // namespace dorvanta
