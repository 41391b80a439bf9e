#pragma once

// What the command-line programs need from the system's console and clock,
// one side per system (console_posix.cpp, console_win32.cpp).

#include <ctime>
#include <string>
#include <vector>

namespace dorvanta {

// The command line as UTF-8 text. On Windows the arguments are read as wide
// text, since `argv` holds them in the system's narrow code page.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Standard output and error carry the program's bytes unchanged (no CR LF on
// Windows), and a Windows console shows UTF-8 text as such.
void PrepareStandardStreams();

bool StandardErrorIsTerminal();

// The local calendar time of `moment`.
std::tm LocalTime(std::time_t moment);

} // namespace dorvanta
