#pragma once

#include <filesystem>
#include <string>

namespace dorvanta {

// A new, empty file of its own in `folder`, named `stem` + "-" + a random
// number + ".tmp" (so that two programs at once never share one), removed when
// the object goes, on every path. Throws FileError when it cannot be created.
class TempFile
{
public:
    TempFile(const std::filesystem::path& folder, const std::string& stem);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace dorvanta
