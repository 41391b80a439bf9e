// The file seam on POSIX systems: descriptors, pread/pwrite with 64-bit
// offsets, flock.

#include "data/file_access.h"
#include "data/file_write_limit.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <vector>

namespace dorvanta {

namespace fs = std::filesystem;

namespace {
int Descriptor(std::intptr_t native)
{
    return static_cast<int>(native);
}

// Opens an existing file. Non-blocking, so that a FIFO someone put in the
// file's place cannot hold us up before it is refused below.
int OpenExisting(const fs::path& path)
{
    return ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
}
} // namespace

FileHandle::FileHandle(const fs::path& path, bool createIfMissing) : path_(path)
{
    int fd = OpenExisting(path);
    if (fd < 0 && errno == ENOENT && createIfMissing) {
        // O_EXCL never follows a symbolic link, and O_NOFOLLOW says so twice:
        // a link in the file's place makes this fail instead of creating the
        // link's target, wherever that is.
        fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_CREAT | O_EXCL | O_NOFOLLOW, 0644);
        if (fd < 0 && errno == EEXIST) {
            // Created by someone else meanwhile, or a link that points nowhere.
            fd = OpenExisting(path);
            if (fd < 0 && errno == ENOENT) {
                throw FileError(path, "Will not create a file through the symbolic link");
            }
        }
    }
    if (fd < 0) {
        throw FileError(path, FileOperation::Open, errno);
    }
    struct stat info
    {
    };
    const bool statted = ::fstat(fd, &info) == 0;
    const int statError = errno;
    if (!statted || !S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) == 0) {
        ::close(fd);
        if (!statted) {
            throw FileError(path, FileOperation::Open, statError);
        }
        if (!S_ISREG(info.st_mode)) {
            throw FileError(path, "Not a regular file:");
        }
        // A read-only file is refused even when the system would let us write it.
        throw FileError(path, "File is read-only:", EACCES);
    }
    native_ = fd;
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
}

FileHandle::~FileHandle()
{
    if (native_ >= 0) {
        ::close(Descriptor(native_));
    }
}

FileHandle::FileHandle(FileHandle&& other) noexcept : path_(std::move(other.path_)), native_(other.native_)
{
    other.native_ = -1;
}

std::uint64_t FileHandle::Size() const
{
    struct stat info
    {
    };
    if (::fstat(Descriptor(native_), &info) != 0) {
        throw FileError(path_, "Cannot read the size of", errno, FileOperation::Read);
    }
    return static_cast<std::uint64_t>(info.st_size);
}

FileStamp FileHandle::Stamp() const
{
    struct stat info
    {
    };
    if (::fstat(Descriptor(native_), &info) != 0) {
        throw FileError(path_, "Cannot read the size of", errno, FileOperation::Read);
    }
    constexpr std::int64_t kNano = 1000000000;
    FileStamp stamp;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * kNano + info.st_mtim.tv_nsec;
    stamp.changed = static_cast<std::int64_t>(info.st_ctim.tv_sec) * kNano + info.st_ctim.tv_nsec;
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.index = static_cast<std::uint64_t>(info.st_ino);
    return stamp;
}

std::size_t FileHandle::ReadAt(std::uint64_t offset, void* out, std::size_t length) const
{
    auto* bytes = static_cast<unsigned char*>(out);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got =
            ::pread(Descriptor(native_), bytes + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError(path_, FileOperation::Read, errno);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void FileHandle::WriteAt(std::uint64_t offset, const void* in, std::size_t length, std::size_t& done)
{
    const auto* bytes = static_cast<const unsigned char*>(in);
    done = 0;
    while (done < length) {
        std::size_t piece = length - done;
        if (file_access_detail::WritesLimited()) {
            piece = file_access_detail::TakeWriteAllowance(piece);
            if (piece == 0) {
                throw FileError(path_, FileOperation::Write, ENOSPC);
            }
        }
        const ssize_t put =
            ::pwrite(Descriptor(native_), bytes + done, piece, static_cast<off_t>(offset + done));
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError(path_, FileOperation::Write, errno);
        }
        done += static_cast<std::size_t>(put);
    }
}

namespace {
#ifdef IOV_MAX
constexpr std::size_t kMostPieces = IOV_MAX;
#else
constexpr std::size_t kMostPieces = 16; // the least any system allows
#endif

// Cuts `vectors` to what the test-only write limit still allows, or fails
// as a full disk does.
void LimitVectors(std::vector<iovec>& vectors, const fs::path& path)
{
    std::size_t wanted = 0;
    for (const iovec& vector : vectors) {
        wanted += vector.iov_len;
    }
    std::size_t allowed = file_access_detail::TakeWriteAllowance(wanted);
    if (allowed == 0 && wanted > 0) {
        throw FileError(path, FileOperation::Write, ENOSPC);
    }
    std::size_t kept = 0;
    while (kept < vectors.size() && allowed > 0) {
        vectors[kept].iov_len = std::min(vectors[kept].iov_len, allowed);
        allowed -= vectors[kept].iov_len;
        ++kept;
    }
    vectors.resize(kept);
}
} // namespace

void FileHandle::WriteGatherAt(std::uint64_t offset, std::span<const Piece> pieces, std::size_t& done)
{
    done = 0;
    std::vector<iovec> vectors;
    std::size_t next = 0;     // the first piece not wholly written
    std::size_t nextDone = 0; // bytes of it already written
    while (next < pieces.size()) {
        vectors.clear();
        for (std::size_t i = next; i < pieces.size() && vectors.size() < kMostPieces; ++i) {
            const std::size_t skip = i == next ? nextDone : 0;
            vectors.push_back(
                iovec{const_cast<unsigned char*>(static_cast<const unsigned char*>(pieces[i].bytes)) + skip,
                      pieces[i].length - skip});
        }
        if (file_access_detail::WritesLimited()) {
            LimitVectors(vectors, path_);
        }
        const ssize_t put = ::pwritev(Descriptor(native_), vectors.data(), static_cast<int>(vectors.size()),
                                      static_cast<off_t>(offset + done));
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError(path_, FileOperation::Write, errno);
        }
        done += static_cast<std::size_t>(put);
        for (auto left = static_cast<std::size_t>(put); left > 0 && next < pieces.size();) {
            const std::size_t rest = pieces[next].length - nextDone;
            if (left < rest) {
                nextDone += left;
                break;
            }
            left -= rest;
            ++next;
            nextDone = 0;
        }
        while (next < pieces.size() && pieces[next].length == nextDone) {
            ++next;
            nextDone = 0;
        }
    }
}

void FileHandle::Truncate(std::uint64_t size)
{
    if (::ftruncate(Descriptor(native_), static_cast<off_t>(size)) != 0) {
        throw FileError(path_, FileOperation::Write, errno);
    }
}

void FileHandle::Lock(FileLock kind, const std::function<void()>& onWait)
{
    // flock locks belong to the open file description: two opens of the same
    // file, even in one process, exclude each other as two programs do. The
    // kernel drops the lock when the last descriptor closes, also when the
    // process dies, so a crashed holder never blocks anyone for ever.
    const int operation = kind == FileLock::Shared ? LOCK_SH : LOCK_EX;
    if (::flock(Descriptor(native_), operation | LOCK_NB) == 0) {
        return;
    }
    if (errno == EWOULDBLOCK) {
        if (onWait) {
            onWait();
        }
        while (::flock(Descriptor(native_), operation) != 0) {
            if (errno != EINTR) {
                throw FileError(path_, FileOperation::Lock, errno);
            }
        }
        return;
    }
    if (errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS) {
        return; // a file system without locks
    }
    throw FileError(path_, FileOperation::Lock, errno);
}

bool FileHandle::TryLock(FileLock kind)
{
    const int operation = kind == FileLock::Shared ? LOCK_SH : LOCK_EX;
    while (::flock(Descriptor(native_), operation | LOCK_NB) != 0) {
        if (errno == EINTR) {
            continue;
        }
        if (errno == EWOULDBLOCK || errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS) {
            return false;
        }
        throw FileError(path_, FileOperation::Lock, errno);
    }
    return true;
}

void FileHandle::Close()
{
    if (native_ < 0) {
        return;
    }
    const int fd = Descriptor(native_);
    native_ = -1;
    if (::close(fd) != 0) {
        throw FileError(path_, FileOperation::Close, errno);
    }
}

std::FILE* OpenStdioFile(const fs::path& path, const char* mode)
{
    return std::fopen(path.c_str(), mode);
}

} // namespace dorvanta
