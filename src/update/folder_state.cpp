#include "update/folder_state.h"

#include "data/file_access.h"
#include "data/in_flight_file.h"
#include "data/record_file.h"
#include "data/text.h"

#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

namespace dorvanta {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kLastUpdateLine = "LastUpdate=";
constexpr std::string_view kInternetLine = "Internet\\";
constexpr std::string_view kWritingPrefix = ".state.ini.writing-";
constexpr std::string_view kLockName = "state.lock";
constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Names and versions are the manifest's bytes: any of them may stand in a
// line once the few that would break it are written %XX.
std::string Escaped(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '%' || c == '=' || c == '\\') {
            escaped += '%';
            escaped += kHexDigits[byte >> 4];
            escaped += kHexDigits[byte & 0xF];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string Unescaped(std::string_view text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            plain += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

std::optional<std::vector<std::uint8_t>> BytesFromHex(std::string_view hex)
{
    if (hex.size() % 2 != 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexValue(hex[i]);
        const int low = HexValue(hex[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

bool SameKey(std::string_view key, std::string_view wanted)
{
    return ToLowerAZ(key) == ToLowerAZ(wanted);
}

bool IsLastUpdate(std::string_view key, std::string_view name)
{
    return SameKey(key, kSettingsKey) && SameKey(name, kLastUpdateValue);
}

void CheckFileVersionName(std::string_view key, std::string_view name)
{
    if (!SameKey(key, kInternetSettingsKey) || name.empty()) {
        throw SettingsError(std::string(key) + std::string(name) + " is not kept in the program's folder");
    }
}

} // namespace

FolderStateStore::FolderStateStore(fs::path folder, SettingsStore* mirror)
    : folder_(std::move(folder)), mirror_(mirror)
{
}

bool FolderStateStore::Exists() const
{
    std::error_code ec;
    return fs::exists(folder_ / kFolderStateFileName, ec);
}

FolderStateStore::State FolderStateStore::Load() const
{
    State state;
    const fs::path file = folder_ / kFolderStateFileName;
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        if (ec) {
            throw SettingsError("the state of the folder cannot be read: " + ec.message());
        }
        return state;
    }
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        throw SettingsError("the state of the folder cannot be read");
    }
    for (const std::string& line : SplitLines(text)) {
        const std::string_view view(line);
        if (view.starts_with(kLastUpdateLine)) {
            state.lastUpdate = BytesFromHex(view.substr(kLastUpdateLine.size()));
        } else if (view.starts_with(kInternetLine)) {
            const std::size_t equals = view.find('=');
            if (equals != std::string_view::npos && equals > kInternetLine.size()) {
                state.versions[Unescaped(view.substr(kInternetLine.size(), equals - kInternetLine.size()))] =
                    Unescaped(view.substr(equals + 1));
            }
        }
    }
    return state;
}

void FolderStateStore::Save(const State& state)
{
    std::string text = "; The state of this folder's data, kept by Dorvanta: the date of the last company "
                       "update\n; (8 bytes in hex) and the installed version of each file of Internet/.\n";
    if (state.lastUpdate) {
        text += kLastUpdateLine;
        for (const std::uint8_t byte : *state.lastUpdate) {
            text += kHexDigits[byte >> 4];
            text += kHexDigits[byte & 0xF];
        }
        text += '\n';
    }
    for (const auto& [name, version] : state.versions) {
        text.append(kInternetLine).append(Escaped(name)).append("=").append(Escaped(version)).append("\n");
    }
    // A writer that was killed left its file behind; nobody holds it.
    RemoveLeftovers(folder_, kWritingPrefix, "");
    InFlightFile temp(folder_, kWritingPrefix, "");
    std::size_t done = 0;
    temp.file().WriteAt(0, text.data(), text.size(), done);
    temp.Publish(folder_ / kFolderStateFileName);
}

template <typename Change> void FolderStateStore::Update(Change&& change)
{
    try {
        const fs::path lockFolder = ResolveFile(folder_, "Temp");
        fs::create_directories(lockFolder);
        // Two programs changing different values of the same folder (a
        // company update and a file refresh) must not write over each other.
        FileHandle lock(lockFolder / kLockName, true);
        lock.Lock(FileLock::Exclusive);
        State state = Load();
        if (change(state)) {
            Save(state);
        }
    } catch (const SettingsError&) {
        throw;
    } catch (const std::exception& error) {
        throw SettingsError(std::string("the state of the folder cannot be written: ") + error.what());
    }
}

std::optional<std::string> FolderStateStore::ReadString(std::string_view key, std::string_view name)
{
    if (IsLastUpdate(key, name)) {
        throw SettingsError("LastUpdate is not a text value");
    }
    CheckFileVersionName(key, name);
    State state = Load();
    const auto found = state.versions.find(std::string(name));
    if (found == state.versions.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<std::vector<std::uint8_t>> FolderStateStore::ReadBinary(std::string_view key,
                                                                      std::string_view name)
{
    if (!IsLastUpdate(key, name)) {
        throw SettingsError(std::string(key) + std::string(name) + " is not a binary value of the folder");
    }
    return Load().lastUpdate;
}

void FolderStateStore::WriteString(std::string_view key, std::string_view name, std::string_view value)
{
    CheckFileVersionName(key, name);
    Update([&](State& state) {
        state.versions[std::string(name)] = std::string(value);
        return true;
    });
    if (mirror_) {
        try {
            mirror_->WriteString(key, name, value);
        } catch (const std::exception&) {
        }
    }
}

void FolderStateStore::WriteBinary(std::string_view key, std::string_view name,
                                   const std::vector<std::uint8_t>& value)
{
    if (!IsLastUpdate(key, name)) {
        throw SettingsError(std::string(key) + std::string(name) + " is not a binary value of the folder");
    }
    Update([&](State& state) {
        state.lastUpdate = value;
        return true;
    });
    if (mirror_) {
        try {
            mirror_->WriteBinary(key, name, value);
        } catch (const std::exception&) {
        }
    }
}

void FolderStateStore::ResetLastUpdate(const std::optional<std::vector<std::uint8_t>>& lastUpdate)
{
    if (!lastUpdate && !Load().lastUpdate) {
        return; // nothing to forget: no lock file, no state file made for it
    }
    Update([&](State& state) {
        if (!lastUpdate && !state.lastUpdate) {
            return false;
        }
        state.lastUpdate = lastUpdate;
        return true;
    });
    if (mirror_ && lastUpdate) {
        try {
            mirror_->WriteBinary(kSettingsKey, kLastUpdateValue, *lastUpdate);
        } catch (const std::exception&) {
        }
    }
}

void FolderStateStore::WriteVersions(const std::map<std::string, std::string>& versions)
{
    if (versions.empty()) {
        return;
    }
    Update([&](State& state) {
        for (const auto& [name, version] : versions) {
            state.versions[name] = version;
        }
        return true;
    });
    if (mirror_) {
        for (const auto& [name, version] : versions) {
            try {
                mirror_->WriteString(kInternetSettingsKey, name, version);
            } catch (const std::exception&) {
            }
        }
    }
}

void FolderStateStore::Adopt(SettingsStore& user, const std::vector<std::string>& names)
{
    Update([&](State& state) {
        if (Exists()) {
            return false; // adopted already, or made by another program meanwhile
        }
        try {
            state.lastUpdate = user.ReadBinary(kSettingsKey, kLastUpdateValue);
        } catch (const std::exception&) {
        }
        for (const std::string& name : names) {
            try {
                if (const auto version = user.ReadString(kInternetSettingsKey, name)) {
                    state.versions[name] = *version;
                }
            } catch (const std::exception&) {
            }
        }
        return true;
    });
}

} // namespace dorvanta
