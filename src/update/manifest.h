#pragma once

#include "data/settings_store.h"

#include <optional>
#include <string>
#include <string_view>

// The manifest of auxiliary files ("/ro/update.txt") and the installed
// versions remembered in the settings store.
namespace dorvanta {

// One entry: "!" version ";" name ";" address. The address is everything
// after the second ";", further ";" included.
struct ManifestEntry
{
    std::string version; // the text as it stands, also what is stored once installed
    std::string name;    // file name in Internet/ and name of the stored version value
    std::string address; // complete address the file is downloaded from
};

// Drops the first character of `line` and splits the rest. nullopt when the
// line is empty, either ";" is missing or the address is empty.
std::optional<ManifestEntry> ParseManifestLine(std::string_view line);

// A decimal integer that fits an int: leading spaces, an optional sign, digits
// and nothing else. nullopt otherwise.
std::optional<int> ParseVersion(std::string_view text);

// Whether a manifest name may be installed: a plain file name that stays
// inside Internet/ and means the same file on Linux and Windows. Refused:
// empty names, anything holding "..", a "/", a "\", a ":" (drive letters,
// alternate streams), one of * ? " < > |, a control character, DEL or a byte
// from 0x80 up; a name that starts with a space or ends with a dot or a space;
// the device names of Windows (CON, PRN, AUX, NUL, COM0 to COM9, LPT0 to LPT9,
// CONIN$, CONOUT$, CLOCK$) with or without an extension; and the names the
// program keeps beside Internet/ (database.db, bursa.db, Temp). Letters are
// compared without regard to case.
bool IsSafeFileName(std::string_view name);

// The installed version of `name`: -1 when the value is missing, is not a
// decimal integer, or the store cannot be read.
int ReadFileVersion(SettingsStore& settings, std::string_view name);

// Stores the version text of `name`; failures of the store are ignored (the
// file is then fetched again at the next refresh).
void WriteFileVersion(SettingsStore& settings, std::string_view version, std::string_view name);

} // namespace dorvanta
