#pragma once

#include "data/language.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvanta {

struct County
{
    std::string_view name;
    std::string_view code;
};

// The 43 counties in the order of their codes, which is the order of the county boxes.
extern const std::array<County, 43> kCounties;

// The code of the county with exactly this name; any other text comes back unchanged.
std::string CountyCode(std::string_view name);
// The name of the county with exactly this code; any other text comes back unchanged.
std::string CountyName(std::string_view code);

// Items of a county box: "All", then the 43 names.
std::vector<std::string> CountyBoxItems();

struct CompanyType
{
    char letter;
    std::string_view boxEnglish;
    std::string_view boxRomanian;
    std::string_view wordEnglish;
    std::string_view wordRomanian;
};
extern const std::array<CompanyType, 6> kCompanyTypes;

// Items of the company type box: "All", then the six types of the language.
std::vector<std::string> CompanyTypeBoxItems(Language language);

// Sets `word` to the page word of a type letter (any case); any other letter leaves it unchanged.
void CompanyTypeWord(char letter, Language language, std::string& word);

struct AdType
{
    char digit;
    std::string_view boxEnglish;
    std::string_view boxRomanian;
    std::string_view wordEnglish;
    std::string_view wordRomanian;
};
extern const std::array<AdType, 3> kAdTypes;

// Items of the advertisement type box: "All", then the three types of the language.
std::vector<std::string> AdTypeBoxItems(Language language);

// The word of an AdType field text ("1" gives "Offer"); nothing for any other text.
std::optional<std::string> AdTypeWord(std::string_view adType, Language language);

} // namespace dorvanta
