#include "update/manifest.h"

#include "data/record_file.h"
#include "data/text.h"

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

namespace {

// Names Windows gives to devices in every folder, with any extension: writing
// "nul.htm" writes nowhere, and "COM1" may reach a serial port.
bool IsDeviceName(std::string_view stem)
{
    const std::string upper = ToUpperAZ(stem);
    for (const std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"}) {
        if (upper == device) {
            return true;
        }
    }
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '0' &&
           upper[3] <= '9';
}

} // namespace

bool IsSafeFileName(std::string_view name)
{
    if (name.empty() || name.find("..") != std::string_view::npos) {
        return false;
    }
    // Windows drops a trailing dot or space, so "a." would be another file
    // than the one checked here, and "." the folder itself.
    if (name.back() == '.' || name.back() == ' ' || name.front() == ' ') {
        return false;
    }
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F ||
            std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) {
            return false;
        }
    }
    // The device test looks at the name before its first dot, without the
    // spaces Windows would drop there ("CON .txt" is CON too).
    std::string_view stem = name.substr(0, name.find('.'));
    stem.remove_suffix(stem.size() - (stem.find_last_not_of(' ') + 1));
    if (IsDeviceName(stem)) {
        return false;
    }
    // Nor may a file take the name of one the program keeps beside Internet/.
    const std::string lower = ToLowerAZ(name);
    return lower != kCompanyFileName && lower != kOpportunityFileName && lower != "temp";
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
