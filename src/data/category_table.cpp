#include "data/category_table.h"

#include "data/resources.h"
#include "data/text.h"

namespace dorvanta {

DomainAndSection SplitCategoryName(std::string_view name)
{
    const std::size_t hyphen = name.find('-');
    if (hyphen == std::string_view::npos) {
        return {std::string_view{}, name};
    }
    return {name.substr(0, hyphen), name.substr(hyphen + 1)};
}

CategoryTable::CategoryTable(std::string_view text)
{
    for (std::string& line : SplitLines(text)) {
        CategoryRow row;
        const std::size_t first = line.find(',');
        const std::size_t second = first == std::string::npos ? std::string::npos : line.find(',', first + 1);
        row.code = line.substr(0, first);
        if (first != std::string::npos) {
            row.romanian =
                line.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
        }
        if (second != std::string::npos) {
            row.english = line.substr(second + 1);
        }
        row.line = std::move(line);
        rows_.push_back(std::move(row));
    }
}

const CategoryTable& CategoryTable::Builtin()
{
    static const CategoryTable table(FindResource("DB").value_or(std::string_view{}));
    return table;
}

std::string CategoryTable::CategoryText(std::string_view activityEntry, Language language) const
{
    const std::string_view cut = activityEntry.substr(0, activityEntry.find('*'));
    const std::string wanted = ToLowerAZ(cut);
    for (const CategoryRow& row : rows_) {
        if (ToLowerAZ(row.code) == wanted) {
            return row.Name(language);
        }
    }
    return std::string(cut);
}

std::vector<std::string> CategoryTable::SubdomainNames(std::string_view domainName, Language language) const
{
    std::vector<std::string> names;
    if (IsBlank(domainName)) {
        return names;
    }
    const std::string wanted = ToLowerAZ(domainName);
    const bool all = wanted == "all";
    for (const CategoryRow& row : rows_) {
        const DomainAndSection parts = SplitCategoryName(row.Name(language));
        if (all || ToLowerAZ(parts.domain) == wanted) {
            names.push_back(DotsToSpaces(parts.section));
        }
    }
    return names;
}

} // namespace dorvanta
