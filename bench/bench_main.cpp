// Speed of the core on a large company file: the selective name search
// against one plain pass over the file, the search by town, phone,
// representative, fiscal code and description words, the page of the last record, and the
// import of a company answer, and the full-size company update through the
// command-line tool, and the trade register's import. Run: dorvanta-bench
// [--dir DIR] [--companies N] [--full-companies N] (0 skips the full-size
// update) [--register-companies N] (0, the default, skips the register
// import; --register-only runs it alone).

#include "advanced_search_bench.h"
#include "data/category_table.h"
#include "data/company_record.h"
#include "data/record_file.h"
#include "data/text.h"
#include "full_update_bench.h"
#include "import/record_import.h"
#include "pages/pages.h"
#include "sample_data.h"
#include "search/company_column.h"
#include "search/company_search.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <malloc.h>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Heap use of the whole program, so the search's own allocations can be read off.
std::atomic<std::size_t> gHeapNow{0};
std::atomic<std::size_t> gHeapPeak{0};

void NoteAllocation(std::size_t size)
{
    const std::size_t now = gHeapNow.fetch_add(size) + size;
    std::size_t peak = gHeapPeak.load();
    while (now > peak && !gHeapPeak.compare_exchange_weak(peak, now)) {
    }
}

} // namespace

// The allocator's own record of each block's size is counted, so no header
// of ours sits before the block. Kept out of line: inlined into callers, the
// pairing of new with free confuses the compiler's checks.
[[gnu::noinline]] void* operator new(std::size_t size)
{
    void* block = std::malloc(size);
    if (!block) {
        throw std::bad_alloc();
    }
    NoteAllocation(malloc_usable_size(block));
    return block;
}

[[gnu::noinline]] void operator delete(void* pointer) noexcept
{
    if (pointer) {
        gHeapNow.fetch_sub(malloc_usable_size(pointer));
        std::free(pointer);
    }
}

void operator delete(void* pointer, std::size_t) noexcept
{
    operator delete(pointer);
}

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double Seconds(Clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

template <typename Work> double BestOf(int runs, Work&& work)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best, Seconds(Clock::now() - start));
    }
    return best;
}

// One pass that reads every byte of the file in 1 MiB blocks.
std::uint64_t ReadWholeFile(const fs::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        std::perror("open");
        std::exit(2);
    }
    std::vector<char> block(1 << 20);
    std::uint64_t total = 0;
    std::uint64_t checksum = 0;
    for (;;) {
        const ssize_t got = ::read(fd, block.data(), block.size());
        if (got <= 0) {
            break;
        }
        total += static_cast<std::uint64_t>(got);
        checksum += static_cast<unsigned char>(block[static_cast<std::size_t>(got) - 1]);
    }
    ::close(fd);
    return total + (checksum & 1);
}

// Puts the file in the page cache as a program finds a database it opens:
// read from disk. A file just written sits in the cache in the small pieces it
// was written in, which makes every later mapping of it slower than usual.
void CacheAsReadFromDisk(const fs::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        std::perror("open");
        std::exit(2);
    }
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
    ReadWholeFile(path);
}

class NullProgress : public dorvanta::ImportProgress
{
public:
    void SetGaugeMaximum(int) override {}
    void SetGaugePosition(int) override {}
    void SetStatus(const std::string& text) override { status = text; }
    void ShowInformation(const std::string& text) override { status = text; }
    std::string status;
};

// A company answer line: "!" and 14 backtick-ended fields.
std::string CompanyLine(const std::string& name, int serial)
{
    std::string line = "!" + name + "`CJ`Str. Memorandumului nr. " + std::to_string(serial) +
                       "`Ion Popescu`0722 111222`0264 123456``office@firma.ro`www.firma.ro`a.a.1*t`";
    line += "````Actualizat de benchmark`";
    return line;
}

} // namespace

int main(int argc, char** argv)
{
    fs::path dir = fs::temp_directory_path() / "dorvanta-bench";
    std::uint64_t companies = 1000000;
    std::uint64_t fullCompanies = 300000;
    std::uint64_t registerCompanies = 0;
    bool registerOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            std::printf("usage: dorvanta-bench [--dir DIR] [--companies N] [--full-companies N]\n"
                        "                      [--register-companies N] [--register-only]\n"
                        "Writes a company file of N records (1000000) into DIR, times searches, a page\n"
                        "and an import, then the full-size company update (300000; 0 skips it) and the\n"
                        "trade register's import of a synthetic snapshot (0, the default, skips it).\n");
            return 0;
        }
        if (option == "--register-only") {
            registerOnly = true;
            continue;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "%s needs a value (see --help)\n", option.c_str());
            return 2;
        }
        ++i;
        if (option == "--register-companies") {
            registerCompanies = std::stoull(argv[i]);
        } else if (option == "--dir") {
            dir = argv[i];
        } else if (option == "--companies") {
            companies = std::stoull(argv[i]);
        } else if (option == "--full-companies") {
            fullCompanies = std::stoull(argv[i]);
        } else {
            std::fprintf(stderr, "unknown option %s (see --help)\n", option.c_str());
            return 2;
        }
    }
    fs::create_directories(dir);
    // dorvanta-cli is built beside the benchmark.
    const fs::path cli = fs::read_symlink("/proc/self/exe").parent_path() / "dorvanta-cli";
    if (registerOnly) {
        bench::RegisterImport(dir, registerCompanies ? registerCompanies : 4200000, cli);
        return 0;
    }
    const fs::path file = dir / dorvanta::kCompanyFileName;
    const std::uint64_t expectedSize = companies * dorvanta::company_layout::kRecordSize;
    if (!fs::exists(file) || fs::file_size(file) != expectedSize) {
        std::printf("writing %llu companies to %s ...\n", static_cast<unsigned long long>(companies),
                    file.c_str());
        const auto start = Clock::now();
        dorvanta::sample_data::WriteSampleCompanies(file, companies, dorvanta::sample_data::kDefaultSeed);
        std::printf("  written in %.2f s\n", Seconds(Clock::now() - start));
    }
    std::printf("file: %s, %.0f MB, %llu records\n", file.c_str(), fs::file_size(file) / 1e6,
                static_cast<unsigned long long>(companies));

    ReadWholeFile(file); // the page cache holds the file from here on, for both measurements
    const double floor = BestOf(5, [&] { ReadWholeFile(file); });

    dorvanta::CompanyCriteria criteria;
    criteria.nameText = std::string(dorvanta::sample_data::kRareNameWord);
    std::size_t rows = 0;
    std::size_t heapBefore = 0;
    std::size_t searchPeak = 0;
    const double search = BestOf(5, [&] {
        heapBefore = gHeapNow.load();
        gHeapPeak = heapBefore;
        const auto result = dorvanta::SearchCompanies(dir, criteria, dorvanta::Language::EN);
        rows = result.rows.size();
        searchPeak = std::max(searchPeak, gHeapPeak.load() - heapBefore);
    });

    // The window's column: the first search reads the file into it, later
    // ones are answered from memory (one thread).
    dorvanta::CompanyColumn column;
    const auto columnStart = Clock::now();
    column.Search(dir, criteria, dorvanta::Language::EN);
    const double columnFirst = Seconds(Clock::now() - columnStart);
    column.WaitUntilBuilt();
    const double columnBuilt = Seconds(Clock::now() - columnStart);
    std::size_t columnRows = 0;
    const double columnRepeat =
        BestOf(5, [&] { columnRows = column.Search(dir, criteria, dorvanta::Language::EN).rows.size(); });
    dorvanta::CompanyCriteria baseCriteria = criteria;
    baseCriteria.ignoreDiacritics = true;
    column.Search(dir, baseCriteria, dorvanta::Language::EN);
    const double columnBase = BestOf(5, [&] { column.Search(dir, baseCriteria, dorvanta::Language::EN); });

    const auto& table = dorvanta::CategoryTable::Builtin();
    const int pageRuns = 2000;
    std::size_t pageBytes = 0;
    const double pages = BestOf(3, [&] {
        for (int i = 0; i < pageRuns; ++i) {
            pageBytes = dorvanta::CompanyPage(dir, static_cast<std::int64_t>(companies - 1),
                                              dorvanta::Language::EN, table)
                            .value_or("")
                            .size();
        }
    });

    std::printf("\ncompany search, name \"%s\": %zu rows\n", criteria.nameText.c_str(), rows);
    std::printf("  floor (read every byte, 1 MiB blocks): %8.1f ms\n", floor * 1e3);
    std::printf("  search:                                %8.1f ms\n", search * 1e3);
    std::printf("  ratio search / floor:                  %8.2f\n", search / floor);
    std::printf("  peak heap allocated by the search:     %8.2f MB\n", searchPeak / 1e6);
    std::printf("window's column, same name: %zu rows\n", columnRows);
    std::printf("  first search (scans, then reads the column): %5.1f ms\n", columnFirst * 1e3);
    std::printf("  ratio first search / floor:            %8.2f\n", columnFirst / floor);
    std::printf("  column ready after:                    %8.1f ms\n", columnBuilt * 1e3);
    std::printf("  repeated search:                       %8.2f ms\n", columnRepeat * 1e3);
    std::printf("  ratio repeated search / floor:         %8.3f\n", columnRepeat / floor);
    std::printf("  repeated search, ignoring diacritics:  %8.2f ms\n", columnBase * 1e3);
    std::printf("  column memory (with base letters):     %8.1f MB\n", column.MemoryBytes() / 1e6);
    std::printf("page of the last record (%zu bytes):     %8.1f us\n", pageBytes, pages / pageRuns * 1e6);

    bench::AdvancedCompanySearch(dir, companies);

    // Import of 10,000 company lines, half replacing existing companies (named
    // in other letter case), half adding new ones, into a copy of the file.
    const fs::path importDir = dir / "import";
    fs::create_directories(importDir);
    const fs::path copy = importDir / dorvanta::kCompanyFileName;
    fs::copy_file(file, copy, fs::copy_options::overwrite_existing);
    std::vector<std::string> lines;
    {
        dorvanta::RecordFile records(copy, dorvanta::company_layout::kRecordSize);
        dorvanta::CompanyRecord::Raw raw{};
        for (int i = 0; lines.size() < 5000; ++i) {
            const std::uint64_t number = (static_cast<std::uint64_t>(i) * 7919u * 13u) % companies;
            records.Read(number, raw.data());
            const auto record = dorvanta::CompanyRecord::Decode(raw.data());
            if (!record.IsDeleted()) {
                lines.push_back(CompanyLine(dorvanta::ToLowerAZ(record.Company), i));
            }
        }
        for (int i = 0; i < 5000; ++i) {
            lines.push_back(CompanyLine("BENCHMARK NEW COMPANY " + std::to_string(i) + " SRL", i));
        }
    }
    CacheAsReadFromDisk(copy);
    const double copyRead = BestOf(3, [&] { ReadWholeFile(copy); });
    NullProgress progress;
    const auto start = Clock::now();
    dorvanta::ImportCompanies(importDir, lines, progress, dorvanta::Language::EN);
    const double import = Seconds(Clock::now() - start);
    std::printf("\nimport of %zu company lines (half new, half replacing): %s\n", lines.size(),
                progress.status.c_str());
    std::printf("  one sequential read of the file:       %8.1f ms\n", copyRead * 1e3);
    std::printf("  import:                                %8.1f ms\n", import * 1e3);
    std::printf("  ratio import / read:                   %8.2f\n", import / copyRead);
    fs::remove_all(importDir);

    if (fullCompanies > 0) {
        bench::FullCompanyUpdate(dir, fullCompanies, cli);
    }
    if (registerCompanies > 0) {
        bench::RegisterImport(dir, registerCompanies, cli);
    }
    return 0;
}
