// The program's folder on Windows; program_folder_posix.cpp is the other side.
// Paths come from the wide-character API and stay UTF-8 inside the program.
#include "platform/program_folder.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace dorvanta {

namespace fs = std::filesystem;

namespace {

std::wstring WideVariable(const wchar_t* name)
{
    const wchar_t* value = _wgetenv(name);
    return value != nullptr ? std::wstring(value) : std::wstring();
}

} // namespace

fs::path ExecutableFolder()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return fs::path(buffer).parent_path();
        }
        // Truncated: a long path (\\?\ prefix or long path support).
        buffer.resize(buffer.size() * 2);
    }
}

fs::path InstalledCopyFolder(const fs::path& executableFolder)
{
    // An installer puts the program's files beside the executable.
    return executableFolder;
}

fs::path EnvironmentPath(const char* name)
{
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    const std::wstring value = WideVariable(wideName.c_str());
    return value.empty() ? fs::path() : fs::path(value);
}

fs::path PerUserDataFolder()
{
    const std::wstring local = WideVariable(L"LOCALAPPDATA");
    return local.empty() ? fs::path() : fs::path(local) / L"Dorvanta";
}

} // namespace dorvanta
