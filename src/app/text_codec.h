#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace dorvanta {

// The core keeps its texts as Windows-1250 bytes; the window shows QStrings.
// Both directions live here so that no other file of the window converts.
QString FromCore(std::string_view bytes);

// Text the user typed, as the core expects it. Characters that Windows-1250
// cannot hold become "?", as a Windows ANSI conversion does.
std::string ToCore(const QString& text);

} // namespace dorvanta
