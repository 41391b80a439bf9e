#pragma once

// Paths are UTF-8 text inside the program; std::filesystem::path keeps the
// system's own form (wide text on Windows), so text and paths cross through
// char8_t and never through the system's narrow code page.

#include <filesystem>
#include <string>
#include <string_view>

namespace dorvanta {

inline std::filesystem::path PathFromUtf8(std::string_view text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace dorvanta
