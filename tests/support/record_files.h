#pragma once

#include "support/temp_dir.h"

#include <filesystem>
#include <string>
#include <vector>

namespace dorvanta::test {

// A record file holding `records` (CompanyRecord or OpportunityRecord), in
// order, replacing what was there.
template <typename Record>
void WriteRecordFile(const std::filesystem::path& path, const std::vector<Record>& records)
{
    std::string bytes;
    for (const Record& record : records) {
        const auto raw = record.Encode();
        bytes.append(reinterpret_cast<const char*>(raw.data()), raw.size());
    }
    WriteBytes(path, bytes);
}

} // namespace dorvanta::test
