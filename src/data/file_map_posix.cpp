// Mapped windows of a file on POSIX systems, guarded against the file being
// cut while they are read.
//
// Touching a mapped page that lies past the end of its file raises SIGBUS,
// whose default action ends the process; another program that truncates the
// file (a copy over it, a restore from backup) would take the window down with
// a search. A SIGBUS handler, installed once, looks the faulting address up in
// a table of the windows being read: when it falls in one, it puts a page of
// zero bytes in place of the missing one, notes where the file ended, and lets
// the read go on. The reader then sees zero bytes (records that read as
// deleted) and learns from CutAt() that the window was cut. No jump leaves
// the handler, so no C++ frame is skipped. A fault anywhere else goes to the
// handler that was there before, or ends the process as it would have.

#include "data/file_access.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace dorvanta {

namespace {

// The windows being read at this moment, for the signal handler: an address
// range and the lowest address of a page found cut. Plain atomics in a fixed
// table, so that the handler neither locks nor allocates.
struct Guard
{
    std::atomic<bool> used{false};
    std::atomic<std::uintptr_t> begin{0}; // 0: the slot guards nothing yet
    std::atomic<std::uintptr_t> end{0};
    std::atomic<std::uintptr_t> cut{UINTPTR_MAX};
};

constexpr int kGuards = 256;
Guard gGuards[kGuards];
std::uintptr_t gPageSize = 4096;
struct sigaction gPrevious
{
};

void OnBusError(int signal, siginfo_t* info, void* context)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Guard& guard : gGuards) {
        const std::uintptr_t begin = guard.begin.load(std::memory_order_acquire);
        if (begin == 0 || address < begin || address >= guard.end.load(std::memory_order_relaxed)) {
            continue;
        }
        const std::uintptr_t page = address & ~(gPageSize - 1);
        // mmap is a plain system call here, safe in a handler on the systems we run on.
        if (::mmap(reinterpret_cast<void*>(page), gPageSize, PROT_READ,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) == MAP_FAILED) {
            break;
        }
        std::uintptr_t seen = guard.cut.load(std::memory_order_relaxed);
        while (page < seen && !guard.cut.compare_exchange_weak(seen, page)) {
        }
        return;
    }
    if ((gPrevious.sa_flags & SA_SIGINFO) != 0 && gPrevious.sa_sigaction != nullptr) {
        gPrevious.sa_sigaction(signal, info, context);
        return;
    }
    if (gPrevious.sa_handler != SIG_DFL && gPrevious.sa_handler != SIG_IGN) {
        gPrevious.sa_handler(signal);
        return;
    }
    // Not ours: on return the access faults again and ends the process as it always would.
    struct sigaction fallback
    {
    };
    fallback.sa_handler = SIG_DFL;
    ::sigaction(SIGBUS, &fallback, nullptr);
}

void InstallHandler()
{
    static std::once_flag once;
    std::call_once(once, [] {
        gPageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        struct sigaction action
        {
        };
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &gPrevious);
    });
}

int ClaimGuard(std::uintptr_t begin, std::uintptr_t end)
{
    for (int k = 0; k < kGuards; ++k) {
        bool expected = false;
        if (gGuards[k].used.compare_exchange_strong(expected, true)) {
            gGuards[k].cut.store(UINTPTR_MAX, std::memory_order_relaxed);
            gGuards[k].end.store(end, std::memory_order_relaxed);
            gGuards[k].begin.store(begin, std::memory_order_release);
            return k;
        }
    }
    return -1;
}

void ReleaseGuard(int k)
{
    gGuards[k].begin.store(0, std::memory_order_release);
    gGuards[k].used.store(false, std::memory_order_release);
}

} // namespace

MappedWindow::MappedWindow(const FileHandle& file, std::uint64_t offset, std::size_t length) : length_(length)
{
    if (length == 0) {
        return;
    }
    InstallHandler();
    const std::uint64_t start = offset & ~static_cast<std::uint64_t>(gPageSize - 1);
    mappedLength_ = static_cast<std::size_t>(offset - start) + length;
    base_ = ::mmap(nullptr, mappedLength_, PROT_READ, MAP_SHARED, static_cast<int>(file.native()),
                   static_cast<off_t>(start));
    if (base_ == MAP_FAILED) {
        base_ = nullptr;
        throw FileError(file.path(), "Cannot map", errno, FileOperation::Read);
    }
    // Read from the first byte to the last; the system reads ahead for us.
    ::madvise(base_, mappedLength_, MADV_SEQUENTIAL);
    const auto begin = reinterpret_cast<std::uintptr_t>(base_);
    guard_ = ClaimGuard(begin, begin + mappedLength_);
    if (guard_ < 0) {
        ::munmap(base_, mappedLength_);
        base_ = nullptr;
        throw FileError(file.path(), "Too many windows of files are read at once:", 0, FileOperation::Read);
    }
    data_ = static_cast<const std::uint8_t*>(base_) + (offset - start);
}

MappedWindow::~MappedWindow()
{
    if (base_ != nullptr) {
        ReleaseGuard(guard_);
        ::munmap(base_, mappedLength_);
    }
}

std::size_t MappedWindow::CutAt() const
{
    if (guard_ < 0) {
        return length_;
    }
    const std::uintptr_t cut = gGuards[guard_].cut.load(std::memory_order_acquire);
    const auto first = reinterpret_cast<std::uintptr_t>(data_);
    if (cut == UINTPTR_MAX) {
        return length_;
    }
    return cut <= first ? 0 : static_cast<std::size_t>(cut - first);
}

} // namespace dorvanta
