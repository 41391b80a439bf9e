#include "mine/company_lookup.h"

#include "data/record_file.h"
#include "data/record_layout.h"
#include "import/record_import.h"

#include <unordered_map>

namespace dorvanta {

std::vector<ListedCompany> LookUpCompanies(const std::filesystem::path& programFolder,
                                           const std::vector<std::string>& names)
{
    std::vector<ListedCompany> out;
    std::unordered_map<std::string, std::vector<std::size_t>> wanted;
    for (const std::string& name : names) {
        ListedCompany company;
        company.name = CompanyNameKey(name);
        wanted[company.name].push_back(out.size());
        out.push_back(std::move(company));
    }
    if (names.empty()) {
        return out;
    }

    RecordFile file(ResolveFile(programFolder, kCompanyFileName), company_layout::kRecordSize);
    file.Lock(FileLock::Shared);
    std::string key;
    std::size_t left = wanted.size();
    ForEachRecord(file, [&](std::uint64_t number, const std::uint8_t* raw) {
        const std::size_t length = FieldLength(raw, company_layout::kFields[company_layout::Company]);
        if (left == 0 || length == 0) {
            return;
        }
        CompanyNameKey(ReadField(raw, company_layout::kFields[company_layout::Company]), key);
        const auto found = wanted.find(key);
        if (found == wanted.end() || out[found->second.front()].recordNumber) {
            return;
        }
        const CompanyRecord record = CompanyRecord::Decode(raw);
        for (const std::size_t index : found->second) {
            out[index].recordNumber = number;
            out[index].record = record;
        }
        --left;
    });
    return out;
}

std::optional<CompanyRecord> ReadCompanyRecord(const std::filesystem::path& programFolder,
                                               std::uint64_t number)
{
    RecordFile file(ResolveFile(programFolder, kCompanyFileName), company_layout::kRecordSize);
    file.Lock(FileLock::Shared);
    CompanyRecord::Raw raw{};
    if (!file.Read(number, raw.data())) {
        return std::nullopt;
    }
    return CompanyRecord::Decode(raw.data());
}

std::vector<ListedCompany> CompanyLookupCache::LookUp(const std::filesystem::path& programFolder,
                                                      const std::vector<std::string>& names)
{
    // Read before the pass: a file changed during it is seen as changed next time.
    const FileStamp stamp =
        RecordFile(ResolveFile(programFolder, kCompanyFileName), company_layout::kRecordSize).Stamp();
    if (stamp != stamp_) {
        known_.clear();
        stamp_ = stamp;
    }
    std::vector<std::string> unknown;
    for (const std::string& name : names) {
        if (known_.find(CompanyNameKey(name)) == known_.end()) {
            unknown.push_back(name);
        }
    }
    if (!unknown.empty()) {
        for (ListedCompany& company : LookUpCompanies(programFolder, unknown)) {
            known_.insert_or_assign(company.name, std::move(company));
        }
    }
    std::vector<ListedCompany> out;
    out.reserve(names.size());
    for (const std::string& name : names) {
        out.push_back(known_.at(CompanyNameKey(name)));
    }
    return out;
}

} // namespace dorvanta
