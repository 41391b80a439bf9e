#pragma once

#include "data/language.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvanta {

// The ten domain groups stand in one fixed order everywhere: the group at
// 0-based position i has the letter 'a' + i, which is the DomainLetter of its
// ads, its place in every domain list and popup, and the number i + 1 of its
// key in the business-ads update.
inline constexpr std::size_t kGroupCount = 10;

inline constexpr char GroupLetter(std::size_t position)
{
    return static_cast<char>('a' + position);
}

// The position of a group letter, lower case only ('a' to 'j'); nothing for
// any other character.
std::optional<std::size_t> GroupPosition(char letter);

// "abcdefghij".
std::string GroupLetters();

// One domain of a group, as its domain list gives it.
struct DomainEntry
{
    std::string line; // the line as written: five spaces, then the name
    std::string name; // the name alone, without the spaces around it
};

struct DomainGroup
{
    char letter = 'a';
    std::string line; // the group line, the group's domain names joined by spaces
    std::vector<DomainEntry> domains;
};

// A domain list resource read into groups and their domains. A line that
// begins with a space is a domain of the group line above it; any other
// non-empty line is a group line, the n-th of them group letter a + n - 1.
// The group-only lists (one line per group) read by the same rule.
class DomainTree
{
public:
    DomainTree() = default;
    explicit DomainTree(std::string_view text);

    // The groups with their domains (resources DOMENII_EN and DOMENII_RO),
    // read once per language.
    static const DomainTree& Domains(Language language);
    // The group lines alone (resources INTERNET_EN and INTERNET_RO), from
    // which the ad side builds its lists; read once per language.
    static const DomainTree& AdGroups(Language language);

    const std::vector<DomainGroup>& groups() const { return groups_; }

    // The group lines in letter order.
    std::vector<std::string> GroupLines() const;
    // Every line in order, each group line followed by its domain lines as
    // written: the company domain box after its "All".
    std::vector<std::string> Lines() const;

private:
    std::vector<DomainGroup> groups_;
};

} // namespace dorvanta
