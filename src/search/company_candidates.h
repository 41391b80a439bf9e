#pragma once

#include "search/word_postings.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dorvanta {

// The records that meet every word, phone and fiscal-code criterion of a
// search, found in ascending order as the search asks for them: each list
// is read only as far as the search goes, so a search that fills its rows
// early never reads the long lists of common words to their end.
class CompanyCandidates
{
public:
    // A criterion that no record can meet.
    void AddNone() { none_ = true; }
    void AddSpans(std::vector<WordPostings::Span> spans);
    void AddNumbers(std::vector<std::uint32_t> ascending);
    // The lists with the fewest records are asked first.
    void Order();

    // The first record at or after `record` that meets every criterion; false when none is left.
    // Records are asked for in ascending order.
    bool Seek(std::uint32_t record, std::uint32_t& found);
    bool Contains(std::uint32_t record)
    {
        std::uint32_t found = 0;
        return Seek(record, found) && found == record;
    }
    // At most this many records meet the criteria (the shortest list's length, about).
    std::size_t Estimate() const;

private:
    struct List
    {
        WordPostings::Span span; // read as far as needed
        std::uint32_t currentPlusOne = 0;
        std::vector<std::uint32_t> numbers; // or these, when `decoded`
        std::size_t index = 0;
        bool decoded = false;

        std::size_t Cost() const { return decoded ? numbers.size() : span.Bytes(); }
        bool SeekAtLeast(std::uint32_t record, std::uint32_t& found);
    };

    std::vector<List> lists_;
    bool none_ = false;
};

} // namespace dorvanta
