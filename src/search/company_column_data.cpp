#include "search/company_column_data.h"

#include "data/company_record.h"
#include "data/field_case.h"
#include "data/messages.h"
#include "data/record_file.h"
#include "data/record_layout.h"
#include "data/scramble.h"
#include "data/text.h"
#include "search/company_filter.h"
#include "search/company_index.h"
#include "search/company_words.h"

#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <string_view>
#include <unordered_map>

namespace dorvanta {

namespace {
namespace layout = company_layout;

constexpr const FieldLayout& kName = layout::kFields[layout::Company];
constexpr const FieldLayout& kCounty = layout::kFields[layout::County];
constexpr std::array<const FieldLayout*, 4> kActivities = {
    &layout::kFields[layout::Activity1], &layout::kFields[layout::Activity2],
    &layout::kFields[layout::Activity3], &layout::kFields[layout::Activity4]};
constexpr std::size_t kWindowRecords = (std::size_t{12} << 20) / layout::kRecordSize;

// Numbers texts in the order they first appear; 0 stands for the empty text.
class Interner
{
public:
    explicit Interner(std::vector<std::string>& texts) : texts_(texts) {}

    // False when more texts came than a 16-bit number can tell apart.
    bool Number(std::string_view text, std::uint16_t& number)
    {
        if (text.empty()) {
            number = 0;
            return true;
        }
        const auto found = numbers_.find(text);
        if (found != numbers_.end()) {
            number = found->second;
            return true;
        }
        if (texts_.size() + 1 > std::numeric_limits<std::uint16_t>::max()) {
            return false;
        }
        texts_.emplace_back(text);
        number = static_cast<std::uint16_t>(texts_.size());
        numbers_.emplace(texts_.back(), number);
        return true;
    }

private:
    std::vector<std::string>& texts_;
    // Looked up by the text in the record's buffer, without a copy.
    struct Hash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    std::unordered_map<std::string, std::uint16_t, Hash, std::equal_to<>> numbers_;
};

std::uint16_t NumberOf(const std::vector<std::string>& texts, std::string_view text)
{
    const auto found = std::find(texts.begin(), texts.end(), text);
    return found == texts.end() ? std::numeric_limits<std::uint16_t>::max()
                                : static_cast<std::uint16_t>(found - texts.begin() + 1);
}

} // namespace

void CompanyColumnData::Clear()
{
    *this = CompanyColumnData{};
}

std::size_t CompanyColumnData::MemoryBytes() const
{
    std::size_t bytes = names_.capacity() + baseNames_.capacity() + starts_.capacity() * 4 +
                        counties_.capacity() * 2 + codes_.capacity() * 2 + typeLetters_.capacity() +
                        presence_.capacity();
    for (const std::string& text : countyTexts_) {
        bytes += sizeof(text) + text.capacity();
    }
    for (const std::string& text : codeTexts_) {
        bytes += sizeof(text) + text.capacity();
    }
    return bytes;
}

bool CompanyColumnData::Build(const std::filesystem::path& path, std::stop_token stop)
{
    Clear();
    try {
        RecordFile file(path, layout::kRecordSize);
        file.Lock(FileLock::Shared);
        // Taken under the lock, so a writer that ran before is seen and one
        // that runs after changes it again.
        stamp_ = file.Stamp();
        const std::uint64_t count = file.RecordCount();
        if (count > std::numeric_limits<std::uint32_t>::max() / 32) {
            return false;
        }
        const auto records = static_cast<std::size_t>(count);
        starts_.reserve(records + 1);
        counties_.reserve(records);
        codes_.reserve(records * 4);
        typeLetters_.reserve(records * 4);
        presence_.reserve(records);
        names_.reserve(records * 32);
        Interner counties(countyTexts_);
        Interner codes(codeTexts_);
        char text[264];
        for (std::uint64_t first = 0; first < count;) {
            const auto windowCount =
                static_cast<std::size_t>(std::min<std::uint64_t>(kWindowRecords, count - first));
            const MappedWindow window = file.Map(first, windowCount);
            if (stop.stop_requested() || window.CutAt() < window.length()) {
                return false; // cut meanwhile: the scan reports it
            }
            for (std::size_t i = 0; i < windowCount; ++i) {
                const std::uint8_t* record = window.data() + i * layout::kRecordSize;
                starts_.push_back(static_cast<std::uint32_t>(names_.size()));
                const std::size_t nameLength = FieldLength(record, kName);
                UnscrambleLower(record + kName.offset + 1, nameLength, text);
                names_.append(text, nameLength);
                names_.push_back('\0');
                const std::size_t countyLength = FieldLength(record, kCounty);
                UnscrambleInto(record + kCounty.offset + 1, countyLength, text);
                std::uint16_t number = 0;
                if (!counties.Number(std::string_view(text, countyLength), number)) {
                    return false;
                }
                counties_.push_back(number);
                std::uint8_t present = 0;
                for (std::size_t a = 0; a < kActivities.size(); ++a) {
                    const std::size_t length = FieldLength(record, *kActivities[a]);
                    UnscrambleInto(record + kActivities[a]->offset + 1, length, text);
                    const std::string_view entry(text, length);
                    if (!codes.Number(length == 0 ? std::string_view{} : ActivityCategoryCode(entry),
                                      number)) {
                        return false;
                    }
                    codes_.push_back(number);
                    typeLetters_.push_back(length == 0 ? '\0' : entry.back());
                    present |= static_cast<std::uint8_t>((length != 0 ? 1u : 0u) << a);
                }
                presence_.push_back(present);
            }
            first += windowCount;
        }
        starts_.push_back(static_cast<std::uint32_t>(names_.size()));
        if (names_.size() > std::numeric_limits<std::uint32_t>::max()) {
            return false;
        }
    } catch (...) {
        // No column (a failing file, or too little memory): the scan answers,
        // and reports what it meets.
        Clear();
        return false;
    }
    names_.shrink_to_fit();
    path_ = path;
    return true;
}

void CompanyColumnData::BuildBaseNames()
{
    baseNames_ = names_;
    StripDiacritics(baseNames_.data(), baseNames_.size());
}

SearchResult CompanyColumnData::Search(const CompanyCriteria& criteria, Language language,
                                       const CompanyIndex* index)
{
    const std::string name = FoldForSearch(criteria.nameText, criteria.ignoreDiacritics);
    if (criteria.ignoreDiacritics && baseNames_.empty()) {
        BuildBaseNames();
    }
    const std::string& names = criteria.ignoreDiacritics ? baseNames_ : names_;

    const CompanyFilter filter(criteria);
    Keys keys;
    keys.county = filter.county ? NumberOf(countyTexts_, criteria.countyCode) : 0;
    // Stored codes are lower case; the criteria may hold either.
    for (const std::string& code : criteria.categoryCodes) {
        keys.codes.push_back(NumberOf(codeTexts_, ToLowerAZ(code)));
    }
    keys.typeLetter = filter.typeLetter;
    CompanyCandidates candidates;
    if (filter.words && index != nullptr) {
        candidates = index->Candidates(CompanyWordQuery(criteria));
        keys.candidates = &candidates;
    }
    const auto passes = [&](std::size_t k) {
        return PassesCompanyFilter(ColumnCompany{*this, keys, k}, filter);
    };
    const auto nameHolds = [&](std::size_t k) {
        return name.empty() ||
               std::string_view(names.data() + starts_[k], starts_[k + 1] - starts_[k] - 1).find(name) !=
                   std::string_view::npos;
    };

    SearchResult result;
    const std::size_t records = starts_.size() - 1;
    const auto add = [&](std::size_t k) {
        const std::string_view lower(names_.data() + starts_[k], starts_[k + 1] - starts_[k] - 1);
        return AddRow(
            result,
            ResultRow{static_cast<std::int64_t>(k),
                      (presence_[k] & 1u) == 0 ? std::string{} : std::string(1, ToUpper(typeLetters_[k * 4])),
                      TitleCaseName(lower)});
    };
    // The records the index finds are visited, unless a name to look for is
    // rarer than they are: then the name's hits are, and the index is asked
    // about each. Either way the records come in file order.
    const bool fewCandidates =
        filter.words && (name.empty() || keys.candidates == nullptr || candidates.Estimate() <= records / 16);
    if (fewCandidates) {
        std::uint32_t k = 0;
        for (std::uint32_t from = 0; keys.candidates != nullptr && candidates.Seek(from, k); from = k + 1) {
            if (passes(k) && nameHolds(k) && !add(k)) {
                break;
            }
        }
    } else if (name.empty() || name.find('\0') != std::string::npos) {
        // No name to look for (or one with a zero byte, which could run across
        // two names): every record is tested in turn.
        for (std::size_t k = 0; k < records; ++k) {
            if (passes(k) && nameHolds(k) && !add(k)) {
                break;
            }
        }
    } else {
        // The name is looked for in all names at once; a hit lies inside one
        // name, since the text holds no zero byte. Records are visited in file
        // order, each once.
        const std::string_view all(names);
        std::size_t k = 0;
        for (std::size_t at = all.find(name); at != std::string_view::npos;) {
            k = static_cast<std::size_t>(std::upper_bound(starts_.begin() + static_cast<std::ptrdiff_t>(k),
                                                          starts_.end(), static_cast<std::uint32_t>(at)) -
                                         starts_.begin() - 1);
            if (passes(k) && !add(k)) {
                break;
            }
            at = all.find(name, starts_[k + 1]);
        }
    }
    FinishResult(result, language);
    return result;
}

} // namespace dorvanta
