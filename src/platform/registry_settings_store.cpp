#include "platform/registry_settings_store.h"

#include "data/windows1250.h"
#include "platform/user_settings.h"

#include <windows.h>

#include <cwctype>

namespace dorvanta {

namespace {

constexpr std::string_view kTop = "Software\\Dorvanta";

std::wstring Wide(std::string_view bytes)
{
    std::wstring wide;
    wide.reserve(bytes.size());
    for (const char c : bytes) {
        wide += static_cast<wchar_t>(Windows1250ToUnicode(static_cast<unsigned char>(c)));
    }
    return wide;
}

bool StartsWithTop(std::string_view key)
{
    if (key.size() < kTop.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kTop.size(); ++i) {
        if (std::towlower(static_cast<unsigned char>(key[i])) !=
            std::towlower(static_cast<unsigned char>(kTop[i]))) {
            return false;
        }
    }
    return key.size() == kTop.size() || key[kTop.size()] == '\\';
}

std::string Message(const char* what, std::string_view key, std::string_view name, LSTATUS status)
{
    return std::string(what) + " " + std::string(key) + std::string(name) + " (error " +
           std::to_string(status) + ")";
}

class Key
{
public:
    explicit Key(HKEY key) : key_(key) {}
    ~Key() { ::RegCloseKey(key_); }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_;
};

} // namespace

RegistrySettingsStore::RegistrySettingsStore(std::wstring base) : base_(std::move(base)) {}

std::wstring RegistrySettingsStore::SubKey(std::string_view key) const
{
    if (!StartsWithTop(key)) {
        throw SettingsError("Settings key outside Software\\Dorvanta: " + std::string(key));
    }
    std::wstring sub = base_ + Wide(key.substr(kTop.size()));
    while (!sub.empty() && sub.back() == L'\\') {
        sub.pop_back();
    }
    return sub;
}

std::optional<std::vector<std::uint8_t>>
RegistrySettingsStore::Read(std::string_view key, std::string_view name, unsigned long type)
{
    HKEY opened = nullptr;
    LSTATUS status = ::RegOpenKeyExW(HKEY_CURRENT_USER, SubKey(key).c_str(), 0, KEY_QUERY_VALUE, &opened);
    if (status == ERROR_FILE_NOT_FOUND) {
        return std::nullopt;
    }
    if (status != ERROR_SUCCESS) {
        throw SettingsError(Message("Cannot open the settings key", key, "", status));
    }
    const Key guard(opened);
    const std::wstring wideName = Wide(name);
    for (;;) {
        DWORD storedType = 0;
        DWORD size = 0;
        status = ::RegQueryValueExW(opened, wideName.c_str(), nullptr, &storedType, nullptr, &size);
        if (status == ERROR_FILE_NOT_FOUND) {
            return std::nullopt;
        }
        if (status != ERROR_SUCCESS) {
            throw SettingsError(Message("Cannot read the setting", key, name, status));
        }
        if (storedType != type) {
            throw SettingsError("The setting " + std::string(key) + std::string(name) + " has another type");
        }
        std::vector<std::uint8_t> data(size);
        status = ::RegQueryValueExW(opened, wideName.c_str(), nullptr, &storedType, data.data(), &size);
        if (status == ERROR_MORE_DATA) {
            continue; // changed meanwhile: ask again
        }
        if (status != ERROR_SUCCESS) {
            throw SettingsError(Message("Cannot read the setting", key, name, status));
        }
        data.resize(size);
        return data;
    }
}

void RegistrySettingsStore::Write(std::string_view key, std::string_view name, unsigned long type,
                                  const void* data, std::size_t size)
{
    if (name.empty()) {
        throw SettingsError("A setting needs a name");
    }
    HKEY created = nullptr;
    LSTATUS status = ::RegCreateKeyExW(HKEY_CURRENT_USER, SubKey(key).c_str(), 0, nullptr,
                                       REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &created, nullptr);
    if (status != ERROR_SUCCESS) {
        throw SettingsError(Message("Cannot create the settings key", key, "", status));
    }
    const Key guard(created);
    status = ::RegSetValueExW(created, Wide(name).c_str(), 0, type, static_cast<const BYTE*>(data),
                              static_cast<DWORD>(size));
    if (status != ERROR_SUCCESS) {
        throw SettingsError(Message("Cannot write the setting", key, name, status));
    }
}

std::optional<std::string> RegistrySettingsStore::ReadString(std::string_view key, std::string_view name)
{
    const auto data = Read(key, name, REG_SZ);
    if (!data) {
        return std::nullopt;
    }
    std::string text;
    for (std::size_t i = 0; i + 1 < data->size(); i += 2) {
        const char16_t unit = static_cast<char16_t>((*data)[i] | ((*data)[i + 1] << 8));
        if (unit == 0) {
            break; // the terminating zero, when stored
        }
        const std::optional<unsigned char> byte = UnicodeToWindows1250(unit);
        if (!byte) {
            throw SettingsError("The setting " + std::string(key) + std::string(name) +
                                " holds a character outside the Central European code page");
        }
        text += static_cast<char>(*byte);
    }
    return text;
}

std::optional<std::vector<std::uint8_t>> RegistrySettingsStore::ReadBinary(std::string_view key,
                                                                           std::string_view name)
{
    return Read(key, name, REG_BINARY);
}

void RegistrySettingsStore::WriteString(std::string_view key, std::string_view name, std::string_view value)
{
    const std::wstring wide = Wide(value);
    Write(key, name, REG_SZ, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}

void RegistrySettingsStore::WriteBinary(std::string_view key, std::string_view name,
                                        const std::vector<std::uint8_t>& value)
{
    Write(key, name, REG_BINARY, value.data(), value.size());
}

void RegistrySettingsStore::RemoveAll()
{
    ::RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, base_.c_str());
}

std::unique_ptr<SettingsStore> OpenUserSettings()
{
    return std::make_unique<RegistrySettingsStore>();
}

} // namespace dorvanta
