// The register import at full size: the time and peak memory of building the
// directory from a snapshot, and of importing the same snapshot again.

#include "full_update_bench.h"
#include "process.h"
#include "register_snapshot.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace bench {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

// Every byte of the snapshot's files read once, in large blocks: the floor
// an import that reads its input once cannot go under.
double ReadOnce(const fs::path& folder)
{
    std::vector<char> block(std::size_t{1} << 20);
    const auto start = Clock::now();
    for (const auto& entry : fs::directory_iterator(folder)) {
        const int descriptor = ::open(entry.path().c_str(), O_RDONLY);
        while (descriptor >= 0 && ::read(descriptor, block.data(), block.size()) > 0) {
        }
        if (descriptor >= 0) {
            ::close(descriptor);
        }
    }
    return Seconds(Clock::now() - start);
}

struct Measured
{
    double seconds = 0;
    long peakKb = 0;
    int code = 0;
    std::string said;
};

Measured Import(const fs::path& work, const fs::path& cli, const fs::path& snapshot)
{
    Measured run;
    const auto start = Clock::now();
    run.code = Run({"/usr/bin/time", "-f", "%M", "-o", (work / "peak").string(), cli.string(), "--dir",
                    (work / "app").string(), "import-register", snapshot.string()},
                   work / "out", work / "err");
    run.seconds = Seconds(Clock::now() - start);
    std::sscanf(ReadText(work / "peak").c_str(), "%ld", &run.peakKb);
    run.said = ReadText(work / "out") + ReadText(work / "err");
    return run;
}

} // namespace

void RegisterImport(const fs::path& dir, std::uint64_t companies, const fs::path& cli)
{
    const fs::path work = dir / "register-import";
    fs::remove_all(work);
    fs::create_directories(work / "app");
    fs::create_directories(work / "home");
    setenv("HOME", (work / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (work / "home").c_str(), 1);
    const fs::path snapshot = work / "snapshot";
    const tools::SnapshotCounts counts = tools::WriteSyntheticSnapshot(snapshot, companies);
    const double read = ReadOnce(snapshot);

    const Measured build = Import(work, cli, snapshot);
    const Measured again = Import(work, cli, snapshot);
    const auto size =
        fs::exists(work / "app" / "database.db") ? fs::file_size(work / "app" / "database.db") : 0;

    std::printf("\nregister import, %llu companies, %llu state rows, %llu activity rows, %.1f MB of files:\n",
                static_cast<unsigned long long>(counts.companies),
                static_cast<unsigned long long>(counts.stateRows),
                static_cast<unsigned long long>(counts.activityRows), counts.bytes / 1e6);
    std::printf("  read the files once:              %8.2f s\n", read);
    std::printf(
        "  build into an empty folder:       %8.2f s (%.1f x reading), peak memory %.0f MB, exit %d\n",
        build.seconds, build.seconds / read, build.peakKb / 1024.0, build.code);
    std::printf(
        "  import again over the directory:  %8.2f s (%.2f x the build), peak memory %.0f MB, exit %d\n",
        again.seconds, again.seconds / build.seconds, again.peakKb / 1024.0, again.code);
    std::printf("  database.db:                      %8.1f MB\n", size / 1e6);
    std::printf("  the build's report:\n%s\n  the second import's report:\n%s\n", build.said.c_str(),
                again.said.c_str());
    fs::remove_all(work);
}

} // namespace bench
