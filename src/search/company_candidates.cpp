#include "search/company_candidates.h"

#include <algorithm>

namespace dorvanta {

void CompanyCandidates::AddSpans(std::vector<WordPostings::Span> spans)
{
    if (spans.empty()) {
        none_ = true;
        return;
    }
    List list;
    if (spans.size() == 1) {
        list.span = spans.front();
    } else {
        // Several spellings of a word (ignoring diacritics): their union, once.
        for (const WordPostings::Span& span : spans) {
            WordPostings::Decode(span, list.numbers);
        }
        std::sort(list.numbers.begin(), list.numbers.end());
        list.numbers.erase(std::unique(list.numbers.begin(), list.numbers.end()), list.numbers.end());
        list.decoded = true;
    }
    lists_.push_back(std::move(list));
}

void CompanyCandidates::AddNumbers(std::vector<std::uint32_t> ascending)
{
    if (ascending.empty()) {
        none_ = true;
        return;
    }
    List list;
    list.numbers = std::move(ascending);
    list.decoded = true;
    lists_.push_back(std::move(list));
}

void CompanyCandidates::Order()
{
    std::sort(lists_.begin(), lists_.end(), [](const List& a, const List& b) { return a.Cost() < b.Cost(); });
}

std::size_t CompanyCandidates::Estimate() const
{
    if (none_ || lists_.empty()) {
        return 0;
    }
    std::size_t fewest = lists_.front().Cost();
    for (const List& list : lists_) {
        fewest = std::min(fewest, list.Cost());
    }
    return fewest;
}

bool CompanyCandidates::List::SeekAtLeast(std::uint32_t record, std::uint32_t& found)
{
    if (decoded) {
        if (index < numbers.size() && numbers[index] < record) {
            index = static_cast<std::size_t>(
                std::lower_bound(numbers.begin() + static_cast<std::ptrdiff_t>(index), numbers.end(),
                                 record) -
                numbers.begin());
        }
        if (index == numbers.size()) {
            return false;
        }
        found = numbers[index];
        return true;
    }
    while (currentPlusOne <= record && span.begin < span.end) {
        span.begin = WordPostings::Next(span.begin, currentPlusOne);
    }
    if (currentPlusOne <= record) {
        return false;
    }
    found = currentPlusOne - 1;
    return true;
}

bool CompanyCandidates::Seek(std::uint32_t record, std::uint32_t& found)
{
    if (none_ || lists_.empty()) {
        return false;
    }
    // Each list in turn moves the target up to its next record, until all agree.
    std::uint32_t target = record;
    for (;;) {
        bool agreed = true;
        for (List& list : lists_) {
            std::uint32_t next = 0;
            if (!list.SeekAtLeast(target, next)) {
                return false;
            }
            if (next != target) {
                target = next;
                agreed = false;
                break;
            }
        }
        if (agreed) {
            found = target;
            return true;
        }
    }
}

} // namespace dorvanta
