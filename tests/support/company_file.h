#pragma once

// Company records and company lines for the import tests: build a
// database.db from field texts, read it back, and write the answer lines
// that would give those records.

#include "data/record_layout.h"
#include "support/temp_dir.h"
#include "import/record_import.h"
#include "import/update_progress.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace dorvanta::test {

class RecordingProgress : public ImportProgress
{
public:
    void SetGaugeMaximum(int maximum) override { maxima.push_back(maximum); }
    void SetGaugePosition(int position) override { positions.push_back(position); }
    void SetStatus(const std::string& text) override { statuses.push_back(text); }
    void ShowInformation(const std::string& text) override { boxes.push_back(text); }

    std::vector<int> maxima;
    std::vector<int> positions;
    std::vector<std::string> statuses;
    std::vector<std::string> boxes;
};

using CompanyFields = std::array<std::string, kCompanyLineFields>;

inline CompanyFields Company(const std::string& name, const std::string& county = "B")
{
    CompanyFields fields;
    fields[0] = name;
    fields[1] = county;
    fields[2] = "Str. " + name;
    fields[13] = "about " + name;
    return fields;
}

inline std::string CompanyBytes(const CompanyFields& fields)
{
    std::string record(company_layout::kRecordSize, '\0');
    for (std::size_t k = 0; k < fields.size(); ++k) {
        WriteField(reinterpret_cast<std::uint8_t*>(record.data()), company_layout::kFields[k], fields[k]);
    }
    return record;
}

inline void WriteCompanies(const std::filesystem::path& path, const std::vector<CompanyFields>& companies)
{
    std::string bytes;
    for (const auto& company : companies) {
        bytes += CompanyBytes(company);
    }
    WriteBytes(path, bytes);
}

inline std::vector<CompanyFields> ReadCompanies(const std::filesystem::path& path)
{
    const std::string bytes = ReadBytes(path);
    std::vector<CompanyFields> companies;
    for (std::size_t at = 0; at + company_layout::kRecordSize <= bytes.size();
         at += company_layout::kRecordSize) {
        const auto* record = reinterpret_cast<const std::uint8_t*>(bytes.data() + at);
        CompanyFields fields;
        for (std::size_t k = 0; k < fields.size(); ++k) {
            fields[k] = ReadField(record, company_layout::kFields[k]);
        }
        companies.push_back(fields);
    }
    return companies;
}

inline std::string Line(char prefix, const CompanyFields& fields)
{
    std::string line(1, prefix);
    for (const auto& field : fields) {
        line += field + "`";
    }
    return line;
}

inline std::vector<std::string> Names(const std::vector<CompanyFields>& companies)
{
    std::vector<std::string> names;
    for (const auto& company : companies) {
        names.push_back(company[0]);
    }
    return names;
}

} // namespace dorvanta::test
