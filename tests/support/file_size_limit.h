#pragma once

// A full disk, made by letting the process write only so many more bytes to
// any file. POSIX has a per-process file size limit for that; Windows has
// none, so there a test stops where it would set the limit
// (SKIP_WITHOUT_FILE_SIZE_LIMIT), after the checks that need no full disk.

#include "data/file_access.h"

#include <gtest/gtest.h>

#include <cstdint>

#ifdef _WIN32
#define SKIP_WITHOUT_FILE_SIZE_LIMIT()                                                                       \
    GTEST_SKIP() << "Windows has no per-process file size limit to stand in for a full disk"
#else
#include <csignal>
#include <sys/resource.h>
#define SKIP_WITHOUT_FILE_SIZE_LIMIT() static_cast<void>(0)
#endif

namespace dorvanta::test {

#ifdef _WIN32
class FileSizeLimit
{
public:
    explicit FileSizeLimit(unsigned long long) {}
};
#else
// Lets the process write only `limit` bytes to any file, so that a write
// fails the way a full disk would.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit tight = old_;
        tight.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &tight);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int);
};
#endif

// A disk that fills after `bytes` more bytes, in the middle of a write, on
// every system: the file seam stops the writes (LimitWritesForTests) until
// this goes.
class WriteLimit
{
public:
    explicit WriteLimit(std::uint64_t bytes) { LimitWritesForTests(bytes); }
    ~WriteLimit() { UnlimitWritesForTests(); }
    WriteLimit(const WriteLimit&) = delete;
    WriteLimit& operator=(const WriteLimit&) = delete;
};

} // namespace dorvanta::test
