#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

// Runs `arguments` with standard output to `out` and standard error to
// `err`; returns the exit code. Spawned, not forked: a fork would first copy
// the page tables of this process, and that time would be counted as the
// command's.
int Run(const std::vector<std::string>& arguments, const std::filesystem::path& out,
        const std::filesystem::path& err);

std::string ReadText(const std::filesystem::path& path);

} // namespace bench
