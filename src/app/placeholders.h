#pragma once

#include "data/language.h"

#include <string_view>

namespace dorvanta {

inline constexpr std::string_view kCompanyPlaceholderEN = "Search for company?";
inline constexpr std::string_view kCompanyPlaceholderRO = "Cauti o companie?";
inline constexpr std::string_view kKeywordPlaceholderEN = "Any keyword?";
inline constexpr std::string_view kKeywordPlaceholderRO = "Toate cuvintele?";

inline std::string_view CompanyPlaceholder(Language language)
{
    return Pick(language, kCompanyPlaceholderEN, kCompanyPlaceholderRO);
}
inline std::string_view KeywordPlaceholder(Language language)
{
    return Pick(language, kKeywordPlaceholderEN, kKeywordPlaceholderRO);
}
inline bool IsCompanyPlaceholder(std::string_view text)
{
    return text == kCompanyPlaceholderEN || text == kCompanyPlaceholderRO;
}
inline bool IsKeywordPlaceholder(std::string_view text)
{
    return text == kKeywordPlaceholderEN || text == kKeywordPlaceholderRO;
}

// The text a search box shows after a language switch: an empty box or one
// showing the other language's placeholder gets the new placeholder; the
// user's own text stays.
inline std::string_view PlaceholderAfterSwitch(std::string_view text, std::string_view newPlaceholder,
                                               std::string_view otherPlaceholder)
{
    return (text.empty() || text == otherPlaceholder) ? newPlaceholder : text;
}

} // namespace dorvanta
