#pragma once

#include "data/record_layout.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The rules of the company search's word, phone and fiscal-code criteria,
// shared by the scan of the file and the word index of the column, so that
// both give the same rows.
namespace dorvanta {

struct CompanyCriteria;

// Words are runs of letters (of the code page's case table) and digits; any
// other byte separates them. `text` is already folded (lower case, base
// letters when asked); the words come back in text order, repeats included.
void ForEachWord(std::string_view text, const std::function<void(std::string_view)>& take);
std::vector<std::string> FoldedWords(std::string_view typed, bool ignoreDiacritics);
bool IsWordByte(char c);

// A phone number as a sortable key: its significant digits (the country code
// 40, written +40 or 0040, and the trunk 0 removed), at most 16 of them, one
// per 4-bit digit from the top, each stored as digit + 1 so that the key of a
// shorter number is a prefix range of the longer ones.
struct PhoneKey
{
    std::uint64_t key = 0;
    std::size_t digits = 0; // 0: no number
    // True when `number` starts with the digits of this key.
    bool Prefixes(std::uint64_t number) const { return digits != 0 && (number & Mask()) == key; }
    std::uint64_t Mask() const
    {
        return digits >= 16 ? ~std::uint64_t{0} : ~(~std::uint64_t{0} >> (4 * digits));
    }
};

// The significant digits of one number as written ("+40 721-123 456", "(021)3123456").
PhoneKey PhoneKeyOf(std::string_view number);
// Every number of a phone field: numbers are separated by , ; and line
// breaks, and by blanks and / where these do not merely group the digits of
// one number ("0268/412345", "021 312 34 56"): a piece that starts with a
// digit continues a number of fewer than 9 significant digits, unless it
// holds 9 or more itself.
std::vector<std::uint64_t> PhoneKeysOf(std::string_view field);
// What the user typed: at least 3 digits, and some left once the country code
// and the trunk 0 are taken off; otherwise no number (the criterion matches nothing).
PhoneKey TypedPhone(std::string_view typed);

// The fiscal code of a description: the number after the word "CUI" (any
// case, an optional ":" and "RO" between), as the register import writes it.
std::optional<std::uint64_t> FiscalCodeOf(std::string_view description);
// "RO12345678", "ro 12345678" or "12345678"; nothing when it is not one.
std::optional<std::uint64_t> TypedFiscalCode(std::string_view typed);

// The word, phone and fiscal-code criteria of a search, worked out once.
struct CompanyWordQuery
{
    explicit CompanyWordQuery(const CompanyCriteria& criteria);

    bool Any() const { return any; }
    // Tests one record; `field(index)` gives the unscrambled text of a field
    // of company_layout, lower-cased (case changes are the caller's, in bulk).
    bool Matches(const std::function<std::string_view(std::size_t field)>& field) const;

    bool any = false;
    bool ignoreDiacritics = false;
    std::vector<std::string> town, representative, text; // folded words, each once
    bool phoneAsked = false;
    PhoneKey phone;
    bool fiscalAsked = false;
    std::optional<std::uint64_t> fiscalCode;
};

} // namespace dorvanta
