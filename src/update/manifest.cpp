#include "update/manifest.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace dorvanta {

std::optional<ManifestEntry> ParseManifestLine(std::string_view line)
{
    if (line.empty()) {
        return std::nullopt;
    }
    const std::string_view rest = line.substr(1);
    const std::size_t first = rest.find(';');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t second = rest.find(';', first + 1);
    if (second == std::string_view::npos || second + 1 == rest.size()) {
        return std::nullopt;
    }
    return ManifestEntry{std::string(rest.substr(0, first)),
                         std::string(rest.substr(first + 1, second - first - 1)),
                         std::string(rest.substr(second + 1))};
}

std::optional<int> ParseVersion(std::string_view text)
{
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    // from_chars takes a "-" but no "+"; a "+" may not be followed by another sign.
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-')) {
            return std::nullopt;
        }
    }
    int value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

bool IsSafeFileName(std::string_view name)
{
    if (name.empty() || name == "." || name.find("..") != std::string_view::npos) {
        return false;
    }
    for (const char c : name) {
        if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20) {
            return false;
        }
    }
    return true;
}

int ReadFileVersion(SettingsStore& settings, std::string_view name)
{
    try {
        const std::optional<std::string> stored = settings.ReadString(kInternetSettingsKey, name);
        if (!stored) {
            return -1;
        }
        return ParseVersion(*stored).value_or(-1);
    } catch (const std::exception&) {
        return -1;
    }
}

void WriteFileVersion(SettingsStore& settings, std::string_view version, std::string_view name)
{
    try {
        settings.WriteString(kInternetSettingsKey, name, version);
    } catch (const std::exception&) {
        // Ignored: the old value stays, so the file is fetched again next time.
    }
}

} // namespace dorvanta
