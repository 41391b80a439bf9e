#include "update/temp_file.h"

#include "data/file_access.h"
#include "data/record_file.h"

#include <cerrno>
#include <cstdio>
#include <random>

namespace dorvanta {

TempFile::TempFile(const std::filesystem::path& folder, const std::string& stem)
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path path = folder / (stem + "-" + std::to_string(random()) + ".tmp");
        // "x" fails when the file exists, so the name is ours alone.
        errno = 0;
        if (std::FILE* file = OpenStdioFile(path, "wbx")) {
            std::fclose(file);
            path_ = std::move(path);
            return;
        }
        if (errno != EEXIST) {
            throw FileError(path, "Cannot create", errno);
        }
    }
    throw FileError(folder / stem, "Cannot create");
}

TempFile::~TempFile()
{
    std::error_code ec;
    std::filesystem::remove(path_, ec);
}

} // namespace dorvanta
