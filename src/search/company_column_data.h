#pragma once

#include "data/file_access.h"
#include "data/language.h"
#include "data/record_file.h"
#include "search/company_candidates.h"
#include "search/company_search.h"
#include "search/search_result.h"

#include <cstdint>
#include <filesystem>
#include <stop_token>
#include <string>
#include <vector>

namespace dorvanta {

class CompanyIndex;

// The column itself; used by one thread at a time.
class CompanyColumnData
{
public:
    // Reads the file into the column; false when it could not (or was stopped).
    bool Build(const std::filesystem::path& path, std::stop_token stop = {});
    // True when built from `file` as it is now.
    bool Current(const RecordFile& file) const { return file.path() == path_ && file.Stamp() == stamp_; }
    // `index` answers the word, phone and fiscal-code criteria; it must be
    // given, built from the same file, when the criteria hold any.
    SearchResult Search(const CompanyCriteria& criteria, Language language, const CompanyIndex* index);
    std::size_t MemoryBytes() const;

private:
    // One record of the column, as PassesCompanyFilter asks about it. A
    // county or code the file never holds gets a number no record has.
    struct Keys
    {
        std::uint16_t county = 0;
        std::vector<std::uint16_t> codes;
        char typeLetter = '\0';
        CompanyCandidates* candidates = nullptr; // what the index found, asked in file order
    };
    struct ColumnCompany
    {
        const CompanyColumnData& column;
        const Keys& keys;
        std::size_t k;

        bool Deleted() const { return column.starts_[k + 1] - column.starts_[k] == 1; }
        bool CountyEmpty() const { return column.counties_[k] == 0; }
        bool CountyMatches() const { return column.counties_[k] == keys.county; }
        bool ActivityEmpty(std::size_t a) const { return (column.presence_[k] & (1u << a)) == 0; }
        bool CategoryMatches(std::size_t a) const
        {
            return std::find(keys.codes.begin(), keys.codes.end(), column.codes_[k * 4 + a]) !=
                   keys.codes.end();
        }
        bool TypeMatches(std::size_t a) const { return column.typeLetters_[k * 4 + a] == keys.typeLetter; }
        bool WordsMatch() const
        {
            return keys.candidates != nullptr && keys.candidates->Contains(static_cast<std::uint32_t>(k));
        }
    };

    void Clear();
    void BuildBaseNames();

    std::filesystem::path path_;
    FileStamp stamp_;

    // Name of record k: names_[starts_[k], starts_[k + 1] - 1), each followed by
    // a zero byte; the same with base letters in baseNames_ once asked for.
    std::string names_;
    std::string baseNames_;
    std::vector<std::uint32_t> starts_;
    std::vector<std::uint16_t> counties_; // 0: empty; else index + 1 into countyTexts_
    std::vector<std::string> countyTexts_;
    std::vector<std::uint16_t> codes_; // 4 per record; 0: no code, else index + 1 into codeTexts_
    std::vector<std::string> codeTexts_;
    std::vector<char> typeLetters_;      // 4 per record: the last character of the entry
    std::vector<std::uint8_t> presence_; // per record: bit i set when activity i is not empty
};

} // namespace dorvanta
