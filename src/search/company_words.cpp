#include "search/company_words.h"

#include "data/letter_case.h"
#include "data/text.h"
#include "search/company_search.h"

#include <algorithm>

namespace dorvanta {

namespace layout = company_layout;

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A number shorter than this is taken as the first part of one written with blanks.
constexpr std::size_t kNationalDigits = 9;
constexpr std::size_t kKeyDigits = 16;

// The digits of a number as written, with the country code and trunk 0 off.
std::string SignificantDigits(std::string_view number)
{
    std::string digits;
    for (const char c : number) {
        if (IsDigit(c)) {
            digits += c;
        }
    }
    const std::string_view trimmed = Trim(number);
    const bool plus = !trimmed.empty() && trimmed.front() == '+';
    if (plus && digits.starts_with("40")) {
        digits.erase(0, 2);
    } else if (digits.starts_with("0040")) {
        digits.erase(0, 4);
    } else if (digits.size() == 11 && digits.starts_with("40")) {
        digits.erase(0, 2);
    }
    if (digits.starts_with('0')) {
        digits.erase(0, 1);
    }
    return digits;
}

PhoneKey KeyOfDigits(std::string_view digits)
{
    PhoneKey key;
    key.digits = std::min(digits.size(), kKeyDigits);
    for (std::size_t i = 0; i < key.digits; ++i) {
        key.key |= static_cast<std::uint64_t>(digits[i] - '0' + 1) << (4 * (kKeyDigits - 1 - i));
    }
    return key;
}

bool IsAsciiLetter(char c, char lower)
{
    return c == lower || c == static_cast<char>(lower - 32);
}

} // namespace

bool IsWordByte(char c)
{
    return IsDigit(c) || ToLower(c) != c || ToUpper(c) != c || c == '\xDF';
}

void ForEachWord(std::string_view text, const std::function<void(std::string_view)>& take)
{
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && !IsWordByte(text[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < text.size() && IsWordByte(text[i])) {
            ++i;
        }
        if (i > start) {
            take(text.substr(start, i - start));
        }
    }
}

std::vector<std::string> FoldedWords(std::string_view typed, bool ignoreDiacritics)
{
    std::vector<std::string> words;
    ForEachWord(FoldForSearch(typed, ignoreDiacritics), [&words](std::string_view word) {
        if (std::find(words.begin(), words.end(), word) == words.end()) {
            words.emplace_back(word);
        }
    });
    return words;
}

PhoneKey PhoneKeyOf(std::string_view number)
{
    return KeyOfDigits(SignificantDigits(number));
}

std::vector<std::uint64_t> PhoneKeysOf(std::string_view field)
{
    std::vector<std::uint64_t> keys;
    std::string number;
    const auto flush = [&] {
        const PhoneKey key = PhoneKeyOf(number);
        if (key.digits != 0) {
            keys.push_back(key.key);
        }
        number.clear();
    };
    std::size_t i = 0;
    while (i <= field.size()) {
        const char c = i < field.size() ? field[i] : ',';
        if (c == ',' || c == ';' || c == '\n' || c == '\r') {
            flush();
            ++i;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '/') {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < field.size() && field[end] != ' ' && field[end] != '\t' && field[end] != '/' &&
               field[end] != ',' && field[end] != ';' && field[end] != '\n' && field[end] != '\r') {
            ++end;
        }
        const std::string_view piece = field.substr(i, end - i);
        const bool continues = !number.empty() && IsDigit(piece.front()) &&
                               SignificantDigits(number).size() < kNationalDigits &&
                               SignificantDigits(piece).size() < kNationalDigits;
        if (!continues) {
            flush();
        }
        number += piece;
        i = end;
    }
    return keys;
}

PhoneKey TypedPhone(std::string_view typed)
{
    const auto digits = std::count_if(typed.begin(), typed.end(), IsDigit);
    return digits < 3 ? PhoneKey{} : PhoneKeyOf(typed);
}

std::optional<std::uint64_t> FiscalCodeOf(std::string_view description)
{
    for (std::size_t at = 0; at + 3 <= description.size(); ++at) {
        const bool word = (at == 0 || !IsWordByte(description[at - 1])) &&
                          IsAsciiLetter(description[at], 'c') && IsAsciiLetter(description[at + 1], 'u') &&
                          IsAsciiLetter(description[at + 2], 'i') &&
                          (at + 3 == description.size() || !IsWordByte(description[at + 3]));
        if (!word) {
            continue;
        }
        std::size_t i = at + 3;
        while (i < description.size() && (description[i] == ' ' || description[i] == ':')) {
            ++i;
        }
        if (i + 1 < description.size() && IsAsciiLetter(description[i], 'r') &&
            IsAsciiLetter(description[i + 1], 'o')) {
            i += 2;
            while (i < description.size() && description[i] == ' ') {
                ++i;
            }
        }
        std::uint64_t code = 0;
        std::size_t digits = 0;
        for (; i < description.size() && IsDigit(description[i]) && digits < 18; ++i, ++digits) {
            code = code * 10 + static_cast<std::uint64_t>(description[i] - '0');
        }
        if (digits > 0) {
            return code;
        }
    }
    return std::nullopt;
}

std::optional<std::uint64_t> TypedFiscalCode(std::string_view typed)
{
    std::string_view text = Trim(typed);
    if (text.size() >= 2 && IsAsciiLetter(text[0], 'r') && IsAsciiLetter(text[1], 'o')) {
        text = Trim(text.substr(2));
    }
    if (text.empty() || text.size() > 18 || !std::all_of(text.begin(), text.end(), IsDigit)) {
        return std::nullopt;
    }
    std::uint64_t code = 0;
    for (const char c : text) {
        code = code * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return code;
}

CompanyWordQuery::CompanyWordQuery(const CompanyCriteria& criteria)
    : ignoreDiacritics(criteria.ignoreDiacritics),
      town(FoldedWords(criteria.town, criteria.ignoreDiacritics)),
      representative(FoldedWords(criteria.representative, criteria.ignoreDiacritics)),
      text(FoldedWords(criteria.descriptionWords, criteria.ignoreDiacritics)),
      phoneAsked(!IsBlank(criteria.phone)), phone(TypedPhone(criteria.phone)),
      fiscalAsked(!IsBlank(criteria.fiscalCode)), fiscalCode(TypedFiscalCode(criteria.fiscalCode))
{
    any = !town.empty() || !representative.empty() || !text.empty() || phoneAsked || fiscalAsked;
}

bool CompanyWordQuery::Matches(const std::function<std::string_view(std::size_t field)>& field) const
{
    const auto hasWords = [&](std::size_t index, const std::vector<std::string>& wanted) {
        if (wanted.empty()) {
            return true;
        }
        std::string folded(field(index));
        if (ignoreDiacritics) {
            StripDiacritics(folded.data(), folded.size());
        }
        std::vector<bool> seen(wanted.size());
        std::size_t left = wanted.size();
        ForEachWord(folded, [&](std::string_view word) {
            for (std::size_t w = 0; w < wanted.size(); ++w) {
                if (!seen[w] && wanted[w] == word) {
                    seen[w] = true;
                    --left;
                }
            }
        });
        return left == 0;
    };
    if (!hasWords(layout::Address, town) || !hasWords(layout::Representative, representative)) {
        return false;
    }
    if (fiscalAsked) {
        if (!fiscalCode || FiscalCodeOf(field(layout::Description)) != fiscalCode) {
            return false;
        }
    }
    if (!hasWords(layout::Description, text)) {
        return false;
    }
    if (phoneAsked) {
        bool found = false;
        for (const std::size_t index : {layout::Mobile, layout::Phone, layout::Fax}) {
            for (const std::uint64_t number : PhoneKeysOf(field(index))) {
                found = found || phone.Prefixes(number);
            }
        }
        if (!found) {
            return false;
        }
    }
    return true;
}

} // namespace dorvanta
