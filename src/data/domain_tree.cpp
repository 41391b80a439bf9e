#include "data/domain_tree.h"

#include "data/resources.h"
#include "data/text.h"

namespace dorvanta {

std::optional<std::size_t> GroupPosition(char letter)
{
    if (letter < GroupLetter(0) || letter > GroupLetter(kGroupCount - 1)) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(letter - GroupLetter(0));
}

std::string GroupLetters()
{
    std::string letters;
    for (std::size_t i = 0; i < kGroupCount; ++i) {
        letters += GroupLetter(i);
    }
    return letters;
}

DomainTree::DomainTree(std::string_view text)
{
    for (std::string& line : SplitLines(text)) {
        if (line.empty()) {
            continue;
        }
        if (line.front() != ' ') {
            DomainGroup group;
            group.letter = GroupLetter(groups_.size());
            group.line = std::move(line);
            groups_.push_back(std::move(group));
        } else if (!groups_.empty()) {
            // A domain line before any group line belongs nowhere and is left out.
            std::string name(Trim(line));
            groups_.back().domains.push_back(DomainEntry{std::move(line), std::move(name)});
        }
    }
}

const DomainTree& DomainTree::Domains(Language language)
{
    static const DomainTree english(FindResource("DOMENII_EN").value_or(std::string_view{}));
    static const DomainTree romanian(FindResource("DOMENII_RO").value_or(std::string_view{}));
    return language == Language::EN ? english : romanian;
}

const DomainTree& DomainTree::AdGroups(Language language)
{
    static const DomainTree english(FindResource("INTERNET_EN").value_or(std::string_view{}));
    static const DomainTree romanian(FindResource("INTERNET_RO").value_or(std::string_view{}));
    return language == Language::EN ? english : romanian;
}

std::vector<std::string> DomainTree::GroupLines() const
{
    std::vector<std::string> lines;
    lines.reserve(groups_.size());
    for (const DomainGroup& group : groups_) {
        lines.push_back(group.line);
    }
    return lines;
}

std::vector<std::string> DomainTree::Lines() const
{
    std::vector<std::string> lines;
    for (const DomainGroup& group : groups_) {
        lines.push_back(group.line);
        for (const DomainEntry& domain : group.domains) {
            lines.push_back(domain.line);
        }
    }
    return lines;
}

} // namespace dorvanta
