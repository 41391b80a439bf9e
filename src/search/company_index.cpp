#include "search/company_index.h"

#include "data/field_case.h"
#include "data/record_file.h"
#include "data/record_layout.h"
#include "search/company_words.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <numeric>

namespace dorvanta {

namespace {
namespace layout = company_layout;

constexpr std::size_t kWindowRecords = (std::size_t{12} << 20) / layout::kRecordSize;

} // namespace

void CompanyIndex::KeyedRecords::Sort()
{
    std::vector<std::uint32_t> order(keys.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
        return keys[a] != keys[b] ? keys[a] < keys[b] : records[a] < records[b];
    });
    std::vector<std::uint64_t> sortedKeys(keys.size());
    std::vector<std::uint32_t> sortedRecords(records.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        sortedKeys[i] = keys[order[i]];
        sortedRecords[i] = records[order[i]];
    }
    keys = std::move(sortedKeys);
    records = std::move(sortedRecords);
}

std::vector<std::uint32_t> CompanyIndex::KeyedRecords::Between(std::uint64_t low, std::uint64_t high,
                                                               std::uint64_t recordCount) const
{
    const auto first = std::lower_bound(keys.begin(), keys.end(), low);
    const auto last = std::upper_bound(first, keys.end(), high);
    const auto begin = records.begin() + (first - keys.begin());
    const auto end = records.begin() + (last - keys.begin());
    std::vector<std::uint32_t> found;
    if (static_cast<std::uint64_t>(end - begin) * 16 < recordCount) {
        found.assign(begin, end);
        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());
        return found;
    }
    // A short prefix ("072") spans a good part of the file: marking the
    // records in a bitmap costs far less than sorting their numbers.
    std::vector<std::uint64_t> marks((recordCount + 63) / 64);
    for (auto at = begin; at != end; ++at) {
        marks[*at / 64] |= std::uint64_t{1} << (*at % 64);
    }
    for (std::size_t word = 0; word < marks.size(); ++word) {
        for (std::uint64_t bits = marks[word]; bits != 0; bits &= bits - 1) {
            found.push_back(
                static_cast<std::uint32_t>(word * 64 + static_cast<std::size_t>(std::countr_zero(bits))));
        }
    }
    return found;
}

bool CompanyIndex::Build(const std::filesystem::path& path, std::stop_token stop)
{
    try {
        RecordFile file(path, layout::kRecordSize);
        file.Lock(FileLock::Shared);
        stamp_ = file.Stamp();
        const std::uint64_t count = file.RecordCount();
        recordCount_ = count;
        if (count >= std::numeric_limits<std::uint32_t>::max()) {
            return false;
        }
        WordPostings::Builder town;
        WordPostings::Builder representative;
        WordPostings::Builder description;
        char text[264];
        const auto fieldText = [&text](const std::uint8_t* record, std::size_t index) {
            const FieldLayout& field = layout::kFields[index];
            const std::size_t length = FieldLength(record, field);
            UnscrambleLower(record + field.offset + 1, length, text);
            return std::string_view(text, length);
        };
        for (std::uint64_t first = 0; first < count;) {
            const auto windowCount =
                static_cast<std::size_t>(std::min<std::uint64_t>(kWindowRecords, count - first));
            const MappedWindow window = file.Map(first, windowCount);
            if (stop.stop_requested() || window.CutAt() < window.length()) {
                return false;
            }
            for (std::size_t i = 0; i < windowCount; ++i) {
                const std::uint8_t* record = window.data() + i * layout::kRecordSize;
                if (FieldLength(record, layout::kFields[layout::Company]) == 0) {
                    continue;
                }
                const auto k = static_cast<std::uint32_t>(first + i);
                ForEachWord(fieldText(record, layout::Address), [&](std::string_view w) { town.Add(w, k); });
                ForEachWord(fieldText(record, layout::Representative),
                            [&](std::string_view w) { representative.Add(w, k); });
                const std::string_view about = fieldText(record, layout::Description);
                ForEachWord(about, [&](std::string_view w) { description.Add(w, k); });
                if (const auto code = FiscalCodeOf(about)) {
                    fiscalCodes_.keys.push_back(*code);
                    fiscalCodes_.records.push_back(k);
                }
                for (const std::size_t index : {layout::Mobile, layout::Phone, layout::Fax}) {
                    for (const std::uint64_t key : PhoneKeysOf(fieldText(record, index))) {
                        phones_.keys.push_back(key);
                        phones_.records.push_back(k);
                    }
                }
            }
            first += windowCount;
        }
        town_ = town.Finish();
        representative_ = representative.Finish();
        description_ = description.Finish();
        phones_.Sort();
        fiscalCodes_.Sort();
    } catch (...) {
        *this = CompanyIndex{};
        return false;
    }
    path_ = path;
    return true;
}

bool CompanyIndex::Current(const RecordFile& file) const
{
    return file.path() == path_ && file.Stamp() == stamp_;
}

CompanyCandidates CompanyIndex::Candidates(const CompanyWordQuery& query) const
{
    CompanyCandidates candidates;
    const auto addWords = [&](const WordPostings& postings, const std::vector<std::string>& words) {
        for (const std::string& word : words) {
            candidates.AddSpans(postings.Find(word, query.ignoreDiacritics));
        }
    };
    addWords(town_, query.town);
    addWords(representative_, query.representative);
    addWords(description_, query.text);
    if (query.phoneAsked) {
        if (query.phone.digits == 0) {
            candidates.AddNone();
        } else {
            candidates.AddNumbers(
                phones_.Between(query.phone.key, query.phone.key | ~query.phone.Mask(), recordCount_));
        }
    }
    if (query.fiscalAsked) {
        if (!query.fiscalCode) {
            candidates.AddNone();
        } else {
            candidates.AddNumbers(fiscalCodes_.Between(*query.fiscalCode, *query.fiscalCode, recordCount_));
        }
    }
    candidates.Order();
    return candidates;
}

std::size_t CompanyIndex::MemoryBytes() const
{
    return town_.MemoryBytes() + representative_.MemoryBytes() + description_.MemoryBytes() +
           (phones_.keys.capacity() + fiscalCodes_.keys.capacity()) * sizeof(std::uint64_t) +
           (phones_.records.capacity() + fiscalCodes_.records.capacity()) * sizeof(std::uint32_t);
}

} // namespace dorvanta
