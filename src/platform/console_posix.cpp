// The console and clock on POSIX systems; console_win32.cpp is the other side.
#include "platform/console.h"

#include <unistd.h>

namespace dorvanta {

std::vector<std::string> Utf8Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}

void PrepareStandardStreams() {}

bool StandardErrorIsTerminal()
{
    return ::isatty(2) == 1;
}

std::tm LocalTime(std::time_t moment)
{
    std::tm local{};
    ::localtime_r(&moment, &local);
    return local;
}

} // namespace dorvanta
