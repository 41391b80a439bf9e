#pragma once

#include "data/record_file.h"
#include "import/update_progress.h"

#include <cstddef>
#include <limits>

// Small pieces shared by the company and the ad imports.
namespace dorvanta::import_detail {

inline int GaugeValue(std::size_t value)
{
    constexpr std::size_t kMax = static_cast<std::size_t>(std::numeric_limits<int>::max());
    return value > kMax ? std::numeric_limits<int>::max() : static_cast<int>(value);
}

// Takes the writer's lock of `file`, telling `progress` when another writer
// makes us wait.
inline void LockForWriting(RecordFile& file, ImportProgress& progress)
{
    file.Lock(FileLock::Exclusive, [&] { progress.WaitingForFile(file.path().filename().string()); });
}

} // namespace dorvanta::import_detail
