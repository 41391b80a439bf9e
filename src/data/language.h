#pragma once

#include <string>
#include <string_view>

namespace dorvanta {

// The two interface languages. The stored and displayed codes are "EN" and "RO".
enum class Language
{
    EN,
    RO
};

inline std::string_view LanguageCode(Language language)
{
    return language == Language::EN ? "EN" : "RO";
}

// Anything but exactly "RO" means English: a damaged stored value must never
// leave the program without a language.
inline Language NormaliseLanguage(std::string_view code)
{
    return code == "RO" ? Language::RO : Language::EN;
}

// Picks the text of the current language.
inline std::string_view Pick(Language language, std::string_view english, std::string_view romanian)
{
    return language == Language::EN ? english : romanian;
}

} // namespace dorvanta
