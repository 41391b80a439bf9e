#include "search/word_postings.h"

#include "data/letter_case.h"

#include <algorithm>
#include <numeric>

namespace dorvanta {

namespace {

// Dictionary order: by base letters, then by the letters themselves.
int CompareBase(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<std::uint8_t>(BaseLetter(a[i]));
        const auto y = static_cast<std::uint8_t>(BaseLetter(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool DictionaryLess(std::string_view a, std::string_view b)
{
    const int base = CompareBase(a, b);
    return base != 0 ? base < 0 : a < b;
}

void AppendVarint(std::string& out, std::uint32_t value)
{
    while (value >= 0x80) {
        out += static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    out += static_cast<char>(value);
}

// Reads one gap and adds it to `current` (a record number plus one).
inline const std::uint8_t* NextNumber(const std::uint8_t* at, std::uint32_t& current)
{
    std::uint32_t gap = 0;
    int shift = 0;
    while (*at & 0x80) {
        gap |= static_cast<std::uint32_t>(*at++ & 0x7F) << shift;
        shift += 7;
    }
    gap |= static_cast<std::uint32_t>(*at++) << shift;
    current += gap;
    return at;
}

} // namespace

void WordPostings::Builder::Add(std::string_view word, std::uint32_t record)
{
    auto found = ids_.find(word);
    if (found == ids_.end()) {
        found = ids_.emplace(std::string(word), static_cast<std::uint32_t>(words_.size())).first;
        words_.emplace_back(word);
        lists_.emplace_back();
    }
    List& list = lists_[found->second];
    if (list.lastPlusOne == record + 1) {
        return; // a word twice in one field
    }
    AppendVarint(list.bytes, record + 1 - list.lastPlusOne);
    list.lastPlusOne = record + 1;
}

WordPostings WordPostings::Builder::Finish()
{
    ids_ = {};
    std::vector<std::uint32_t> order(words_.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(),
              [this](std::uint32_t a, std::uint32_t b) { return DictionaryLess(words_[a], words_[b]); });
    WordPostings postings;
    std::size_t wordBytes = 0;
    std::size_t listBytes = 0;
    for (std::size_t i = 0; i < words_.size(); ++i) {
        wordBytes += words_[i].size();
        listBytes += lists_[i].bytes.size();
    }
    postings.words_.reserve(wordBytes);
    postings.postings_.reserve(listBytes);
    postings.starts_.reserve(order.size() + 1);
    postings.lists_.reserve(order.size() + 1);
    for (const std::uint32_t id : order) {
        postings.starts_.push_back(static_cast<std::uint32_t>(postings.words_.size()));
        postings.lists_.push_back(postings.postings_.size());
        postings.words_ += words_[id];
        const std::string& bytes = lists_[id].bytes;
        postings.postings_.insert(postings.postings_.end(), bytes.begin(), bytes.end());
        lists_[id] = {};
    }
    postings.starts_.push_back(static_cast<std::uint32_t>(postings.words_.size()));
    postings.lists_.push_back(postings.postings_.size());
    words_ = {};
    lists_ = {};
    return postings;
}

std::vector<WordPostings::Span> WordPostings::Find(std::string_view word, bool baseLetters) const
{
    const std::size_t count = WordCount();
    // First word not before `word` in the dictionary (by base letters alone, or in full).
    std::size_t low = 0;
    std::size_t high = count;
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        const bool before =
            baseLetters ? CompareBase(Word(middle), word) < 0 : DictionaryLess(Word(middle), word);
        if (before) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    std::vector<Span> spans;
    for (std::size_t i = low; i < count; ++i) {
        const std::string_view found = Word(i);
        if (baseLetters ? CompareBase(found, word) != 0 : found != word) {
            break;
        }
        spans.push_back(Span{postings_.data() + lists_[i], postings_.data() + lists_[i + 1]});
    }
    return spans;
}

void WordPostings::Decode(Span span, std::vector<std::uint32_t>& out)
{
    std::uint32_t current = 0;
    for (const std::uint8_t* at = span.begin; at < span.end;) {
        at = NextNumber(at, current);
        out.push_back(current - 1);
    }
}

const std::uint8_t* WordPostings::Next(const std::uint8_t* at, std::uint32_t& currentPlusOne)
{
    return NextNumber(at, currentPlusOne);
}

std::size_t WordPostings::MemoryBytes() const
{
    return words_.capacity() + starts_.capacity() * sizeof(std::uint32_t) +
           lists_.capacity() * sizeof(std::uint64_t) + postings_.capacity();
}

} // namespace dorvanta
