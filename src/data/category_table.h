#pragma once

#include "data/language.h"

#include <string>
#include <string_view>
#include <vector>

namespace dorvanta {

// One line of the category table: "code,Romanian name,English name".
struct CategoryRow
{
    std::string line;
    std::string code;
    std::string romanian;
    std::string english;

    const std::string& Name(Language language) const { return language == Language::EN ? english : romanian; }
};

// A name split at its first hyphen: the domain before it (empty when there is
// none) and the category (section) after it (the whole name when there is none).
struct DomainAndSection
{
    std::string_view domain;
    std::string_view section;
};
DomainAndSection SplitCategoryName(std::string_view name);

// The business categories, in the order of the table's lines; every lookup walks them in order.
class CategoryTable
{
public:
    CategoryTable() = default;
    explicit CategoryTable(std::string_view text);

    // The table compiled into the program (resource "DB").
    static const CategoryTable& Builtin();

    const std::vector<CategoryRow>& rows() const { return rows_; }
    std::size_t size() const { return rows_.size(); }

    // The name of an activity entry's category in the language: the entry is
    // cut at its first "*", the first row with that code (any case) gives its
    // name; without such a row the cut entry itself comes back.
    std::string CategoryText(std::string_view activityEntry, Language language) const;

    // The section names (dots shown as spaces) of every row whose domain part in
    // the language equals `domainName` without regard to case, or of every row
    // for "all"; an empty or blank name gives none.
    std::vector<std::string> SubdomainNames(std::string_view domainName, Language language) const;

private:
    std::vector<CategoryRow> rows_;
};

} // namespace dorvanta
