// The trade register's snapshot at full size: a synthetic set of the real
// mix (tools/register_sample.h) built by dorvanta-cli import-register into
// an empty folder, then imported again over the full directory. Measured:
// one reading of the input files, the two commands' times and their peak
// memory (/usr/bin/time -f %M, which counts mapped file pages too).

#include "full_update_bench.h"
#include "process.h"

#include "register_sample.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace bench {

namespace {

namespace fs = std::filesystem;
// Every byte of every file of `folder`, in 1 MiB blocks.
std::uint64_t ReadFolder(const fs::path& folder)
{
    std::vector<char> block(1 << 20);
    std::uint64_t total = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const int fd = ::open(entry.path().c_str(), O_RDONLY);
        if (fd < 0) {
            continue;
        }
        for (ssize_t got; (got = ::read(fd, block.data(), block.size())) > 0;) {
            total += static_cast<std::uint64_t>(got);
        }
        ::close(fd);
    }
    return total;
}

struct Measured
{
    int code = -1;
    double seconds = 0;
    long peakKb = 0;
    double user = 0;
    double system = 0;
    std::string report;
};

Measured ImportOnce(const fs::path& work, const fs::path& snapshot, const fs::path& cli)
{
    // Nothing of an earlier step still waits to be written to the disk,
    // which would slow the command's own writes down.
    ::sync();
    Measured run;
    const auto start = Clock::now();
    run.code = Run({"/usr/bin/time", "-f", "%M %U %S", "-o", (work / "peak").string(), cli.string(), "--dir",
                    (work / "app").string(), "import-register", snapshot.string()},
                   work / "out", work / "err");
    run.seconds = Seconds(Clock::now() - start);
    std::sscanf(ReadText(work / "peak").c_str(), "%ld %lf %lf", &run.peakKb, &run.user, &run.system);
    run.report = ReadText(work / "out") + ReadText(work / "err");
    return run;
}

void Print(const char* what, const Measured& run)
{
    std::printf("%s: exit %d, %.1f s (user %.1f s, system %.1f s), peak memory %.0f MB\n", what, run.code,
                run.seconds, run.user, run.system, run.peakKb / 1024.0);
}

} // namespace

void RegisterImport(const fs::path& dir, std::uint64_t companies, const fs::path& cli)
{
    const fs::path snapshot = dir / ("register-" + std::to_string(companies));
    const fs::path made = snapshot / "figures.txt";
    if (!fs::exists(made)) {
        std::printf("\nwriting a synthetic register snapshot of %llu companies to %s ...\n",
                    static_cast<unsigned long long>(companies), snapshot.c_str());
        const auto figures = dorvanta::register_sample::WriteRegisterSnapshot(snapshot, companies, 1);
        std::ofstream(made) << figures.companies << " companies, " << figures.ended << " ended, "
                            << figures.namesakes << " namesakes, " << figures.withDiacritics
                            << " names with diacritics, " << figures.longNames << " names over 80, "
                            << figures.stateRows << " state rows, " << figures.activityRows
                            << " activity rows, " << figures.bytes / 1000000 << " MB\n";
    }
    std::printf("\ntrade register snapshot: %s", ReadText(made).c_str());

    ReadFolder(snapshot); // into the page cache, as for the commands
    const auto readStart = Clock::now();
    const std::uint64_t bytes = ReadFolder(snapshot);
    const double read = Seconds(Clock::now() - readStart);

    const fs::path work = dir / "register-import";
    fs::remove_all(work);
    fs::create_directories(work / "app");
    const Measured build = ImportOnce(work, snapshot, cli);
    std::printf("report of the build:\n%s", build.report.c_str());
    const Measured again = ImportOnce(work, snapshot, cli);
    std::printf("report of the import over the full directory:\n%s", again.report.c_str());

    std::printf("  one reading of the input files (%.0f MB): %6.2f s\n", bytes / 1e6, read);
    Print("  build into an empty folder", build);
    Print("  import again over the full directory", again);
    std::printf("  ratio build / reading:                 %8.1f\n", build.seconds / read);
    std::printf("  ratio import again / build:            %8.2f\n", again.seconds / build.seconds);
    fs::remove_all(work);
}

} // namespace bench
