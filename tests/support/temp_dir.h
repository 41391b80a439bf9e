#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace dorvanta::test {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes away.
class TempDir
{
public:
    TempDir()
    {
        std::random_device random;
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = base / ("dorvanta-test-" + std::to_string(random()) + std::to_string(attempt));
            if (std::filesystem::create_directory(path_)) {
                return;
            }
        }
        throw std::runtime_error("cannot create a temporary folder");
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / std::string(name); }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The names of the entries of `folder` that equal `name` without regard to
// ASCII case: what "no second file of another case" means on every file
// system, the ones that ignore case included.
inline std::vector<std::string> NamesIgnoringCase(const std::filesystem::path& folder, std::string_view name)
{
    const auto lower = [](std::string text) {
        for (char& c : text) {
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
        return text;
    };
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::u8string text = entry.path().filename().u8string();
        const std::string found(text.begin(), text.end());
        if (lower(found) == lower(std::string(name))) {
            names.push_back(found);
        }
    }
    return names;
}

// Whether the file system of `folder` takes names that differ only in case
// for the same file (Windows, macOS by default).
inline bool FileNamesIgnoreCase(const std::filesystem::path& folder)
{
    const std::filesystem::path probe = folder / "case-probe";
    WriteBytes(probe, "");
    std::error_code ec;
    const bool ignores = std::filesystem::exists(folder / "CASE-PROBE", ec);
    std::filesystem::remove(probe, ec);
    return ignores;
}

} // namespace dorvanta::test
