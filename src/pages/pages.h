#pragma once

#include "data/category_table.h"
#include "data/company_record.h"
#include "data/language.h"
#include "data/opportunity_record.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dorvanta {

// The publisher's web host, named in the banner of every page.
inline constexpr const char* kPublisherHost = "www.dorvanta.ro";
// Where the banner player is downloaded from.
inline constexpr const char* kPlayerDownloadAddress =
    "http://download.player.example/pub/shockwave/cabs/flash/swflash.cab#version=4,0,2,0";

// The program's folder as the pages write it: the folder's path followed by
// the platform's separator.
std::string ProgramFolderText(const std::filesystem::path& folder);

// Draws the banner number (1 to 3) of each opportunity page. The generator is
// not seeded from the clock: every run of the program draws the same succession.
class BannerNumbers
{
public:
    static constexpr std::uint32_t kDefaultSeed = 20040101u;
    explicit BannerNumbers(std::uint32_t seed = kDefaultSeed) : state_(seed) {}
    int Next();

private:
    std::uint32_t state_;
};

// The items of the opportunity domain box: "All", then the ten group lines of the language.
std::vector<std::string> OpportunityDomainList(Language language);

// The profile page of one company, byte for byte.
std::string BuildCompanyPage(const CompanyRecord& record, Language language, const std::string& programFolder,
                             const CategoryTable& table);

// The page of one advertisement, byte for byte. `domainList` is the content of
// the opportunity domain box ("All" first); `bannerNumber` is 1 to 3.
std::string BuildOpportunityPage(const OpportunityRecord& record, Language language,
                                 const std::string& programFolder, const std::vector<std::string>& domainList,
                                 int bannerNumber);

// The page of record `recordNumber` of database.db in `folder`, read at its
// position. Nothing when the number is negative or past the end. Throws
// FileError when the file cannot be opened or read.
std::optional<std::string> CompanyPage(const std::filesystem::path& folder, std::int64_t recordNumber,
                                       Language language, const CategoryTable& table);

// Record `recordNumber` of bursa.db in `folder`, decoded. The file is opened
// first, so that a missing or read-only file is reported whatever the number.
// Nothing when the number is negative or past the end. Throws FileError when
// the file cannot be opened or read.
std::optional<OpportunityRecord> ReadOpportunityRecord(const std::filesystem::path& folder,
                                                       std::int64_t recordNumber);

// The page of record `recordNumber` of bursa.db in `folder`; the empty text
// when the number is negative or past the end (the view then shows an empty
// document). Draws a banner number only when a page is built. Throws
// FileError when the file cannot be opened or read.
std::string OpportunityPage(const std::filesystem::path& folder, std::int64_t recordNumber, Language language,
                            const std::vector<std::string>& domainList, BannerNumbers& banners);

} // namespace dorvanta
