#include "advanced_search_bench.h"

#include "data/company_record.h"
#include "data/record_file.h"
#include "search/company_column.h"
#include "search/company_search.h"
#include "search/company_words.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

template <typename Work> double BestOf(int runs, Work&& work)
{
    double best = 1e12;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best, Milliseconds(Clock::now() - start));
    }
    return best;
}

// The fiscal code of a record in the middle of the file, as a user would type it.
std::string SomeFiscalCode(const std::filesystem::path& dir, std::uint64_t companies)
{
    dorvanta::RecordFile file(dir / dorvanta::kCompanyFileName, dorvanta::company_layout::kRecordSize);
    dorvanta::CompanyRecord::Raw raw{};
    for (std::uint64_t number = companies / 2; number < companies; ++number) {
        file.Read(number, raw.data());
        if (const auto code =
                dorvanta::FiscalCodeOf(dorvanta::CompanyRecord::Decode(raw.data()).Description)) {
            return "RO" + std::to_string(*code);
        }
    }
    return "RO1";
}

} // namespace

void AdvancedCompanySearch(const std::filesystem::path& dir, std::uint64_t companies)
{
    using dorvanta::CompanyCriteria;
    std::vector<std::pair<const char*, CompanyCriteria>> rows;
    const auto add = [&rows](const char* label, auto fill) {
        CompanyCriteria criteria;
        fill(criteria);
        rows.emplace_back(label, criteria);
    };
    add("town \"cluj\"", [](CompanyCriteria& c) { c.town = "cluj"; });
    add("town \"bucuresti\", ignoring diacritics", [](CompanyCriteria& c) {
        c.town = "bucuresti";
        c.ignoreDiacritics = true;
    });
    add("town \"nr\" (in nearly every address)", [](CompanyCriteria& c) { c.town = "nr"; });
    add("words of most records: \"nr\", \"de\", \"calitate\"", [](CompanyCriteria& c) {
        c.town = "nr";
        c.descriptionWords = "de calitate";
    });
    add("phone \"0744\"", [](CompanyCriteria& c) { c.phone = "0744"; });
    add("phone \"+40 264 12\"", [](CompanyCriteria& c) { c.phone = "+40 264 12"; });
    add("representative \"popescu\"", [](CompanyCriteria& c) { c.representative = "popescu"; });
    const std::string code = SomeFiscalCode(dir, companies);
    add("fiscal code", [&code](CompanyCriteria& c) { c.fiscalCode = code; });
    add("description \"distribuitor autorizat\"",
        [](CompanyCriteria& c) { c.descriptionWords = "distribuitor autorizat"; });
    add("town, phone, representative, words, name", [](CompanyCriteria& c) {
        c.nameText = "a";
        c.town = "cluj napoca";
        c.phone = "072";
        c.representative = "ion";
        c.descriptionWords = "calitate";
    });
    add("town, representative, phone and county", [](CompanyCriteria& c) {
        c.town = "cluj";
        c.representative = "maria";
        c.phone = "0264";
        c.countyCode = "CJ";
    });

    dorvanta::CompanyColumn column;
    column.Search(dir, {}, dorvanta::Language::EN);
    column.WaitUntilBuilt();
    const std::size_t columnBytes = column.MemoryBytes();
    // The first search by these criteria scans and reads the index meanwhile.
    const auto start = Clock::now();
    column.Search(dir, rows.front().second, dorvanta::Language::EN);
    const double first = Milliseconds(Clock::now() - start);
    column.WaitUntilBuilt();
    const double ready = Milliseconds(Clock::now() - start);

    std::printf("\ncompany search by words, phone and fiscal code (%llu companies)\n",
                static_cast<unsigned long long>(companies));
    std::printf("  %-42s %6s %10s %10s\n", "criteria", "rows", "scan ms", "index ms");
    for (const auto& row : rows) {
        // Named, not bound: a lambda may not capture a structured binding before C++20's fix in clang 16.
        const auto& label = row.first;
        const auto& criteria = row.second;
        std::size_t found = 0;
        const double scan = BestOf(
            1, [&] { found = dorvanta::SearchCompanies(dir, criteria, dorvanta::Language::EN).rows.size(); });
        std::size_t indexed = 0;
        const double repeated =
            BestOf(5, [&] { indexed = column.Search(dir, criteria, dorvanta::Language::EN).rows.size(); });
        std::printf("  %-42s %6zu %10.1f %10.2f%s\n", label, found, scan, repeated,
                    indexed == found ? "" : "  (rows differ!)");
    }
    const double perCompany = static_cast<double>(column.IndexMemoryBytes()) / static_cast<double>(companies);
    std::printf("  first search (scans, then reads the index): %8.1f ms\n", first);
    std::printf("  index ready after:                          %8.1f ms\n", ready);
    std::printf("  column memory, before and after the index:  %8.1f MB, %.1f MB\n", columnBytes / 1e6,
                column.MemoryBytes() / 1e6);
    std::printf("  index memory:                               %8.1f MB (%.1f bytes a company)\n",
                column.IndexMemoryBytes() / 1e6, perCompany);
}

} // namespace bench
