#pragma once

#include "data/category_table.h"
#include "data/language.h"

#include <string>
#include <string_view>
#include <vector>

namespace dorvanta {

// The entries of the subdomain box after its "All", with the category code behind each.
struct SubdomainList
{
    std::vector<std::string> names; // section names, dots shown as spaces
    std::vector<std::string> codes; // lower-case category codes, parallel to names
};

// The categories behind one entry of the company domain box: a domain line
// (five spaces, then the domain name) gives that domain's categories, a group
// line gives the categories of the whole group, and "All" gives every category.
SubdomainList FillSubdomains(std::string_view domainEntry, const CategoryTable& table, Language language);

} // namespace dorvanta
