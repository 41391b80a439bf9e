#include "update/manifest.h"

#include <limits>

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
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) {
        return std::nullopt;
    }
    // Accumulated as a negative number so that the smallest int fits too.
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 - (c - '0');
        if (value < static_cast<long long>(std::numeric_limits<int>::min())) {
            return std::nullopt;
        }
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<int>::max()) {
            return std::nullopt;
        }
    }
    return static_cast<int>(value);
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
