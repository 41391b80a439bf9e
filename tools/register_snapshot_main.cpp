// Writes a synthetic snapshot of the trade register's open data, for the
// benchmark and for trying the register import without the real files.
// Run: dorvanta-register-snapshot --dir FOLDER [--companies N] [--seed S]

#include "register_snapshot.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
    std::string folder;
    std::uint64_t companies = 4200000;
    std::uint64_t seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--dir") {
            folder = argv[i + 1];
        } else if (option == "--companies") {
            companies = std::stoull(argv[i + 1]);
        } else if (option == "--seed") {
            seed = std::stoull(argv[i + 1]);
        } else {
            folder.clear();
            break;
        }
    }
    if (folder.empty() || companies > 0xFFFFFFFFu) {
        std::fprintf(stderr, "usage: dorvanta-register-snapshot --dir FOLDER [--companies N] [--seed S]\n");
        return 2;
    }
    try {
        const tools::SnapshotCounts counts = tools::WriteSyntheticSnapshot(folder, companies, seed);
        std::printf("%llu companies, %llu state rows, %llu activity rows, %llu bytes\n",
                    static_cast<unsigned long long>(counts.companies),
                    static_cast<unsigned long long>(counts.stateRows),
                    static_cast<unsigned long long>(counts.activityRows),
                    static_cast<unsigned long long>(counts.bytes));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
