#include "search/subdomains.h"

#include "data/text.h"

namespace dorvanta {

namespace {
void Add(SubdomainList& list, const CategoryRow& row, std::string_view section)
{
    list.names.push_back(DotsToSpaces(section));
    list.codes.push_back(ToLowerAZ(row.code));
}
} // namespace

SubdomainList FillSubdomains(std::string_view domainEntry, const CategoryTable& table, Language language)
{
    SubdomainList list;
    const std::string lower = ToLowerAZ(domainEntry);
    if (IsBlank(lower)) {
        return list;
    }
    std::string name(Trim(lower));

    if (lower.front() == ' ') {
        // A domain line.
        for (const CategoryRow& row : table.rows()) {
            const DomainAndSection parts = SplitCategoryName(row.Name(language));
            if (name == "all" || ToLowerAZ(parts.domain) == name) {
                Add(list, row, parts.section);
            }
        }
        return list;
    }

    // A group line starts with the name of its group's first domain; the first
    // table row whose domain starts the line gives the group letter.
    for (const CategoryRow& row : table.rows()) {
        const std::string domain = ToLowerAZ(SplitCategoryName(row.Name(language)).domain);
        if (!domain.empty() && std::string_view(name).starts_with(domain)) {
            name = row.code.empty() ? std::string{} : std::string(1, ToLowerAZ(row.code.front()));
            break;
        }
    }
    for (const CategoryRow& row : table.rows()) {
        const bool inGroup = !row.code.empty() && std::string(1, ToLowerAZ(row.code.front())) == name;
        if (inGroup || name == "all") {
            Add(list, row, SplitCategoryName(row.Name(language)).section);
        }
    }
    return list;
}

} // namespace dorvanta
