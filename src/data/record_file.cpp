#include "data/record_file.h"

#include "data/text.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dorvanta {

namespace fs = std::filesystem;

FileError::FileError(const fs::path& path, const std::string& what, int error)
    : std::runtime_error(what + " " + path.string() +
                         (error ? std::string(": ") + std::strerror(error) : "")),
      path_(path), error_(error)
{
}

fs::path ResolveFile(const fs::path& folder, std::string_view name)
{
    fs::path exact = folder / std::string(name);
    std::error_code ec;
    if (fs::exists(exact, ec)) {
        return exact;
    }
    const std::string wanted = ToLowerAZ(name);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (ToLowerAZ(it->path().filename().string()) == wanted) {
            return it->path();
        }
    }
    return exact;
}

RecordFile::RecordFile(const fs::path& path, std::size_t recordSize, Open open)
    : path_(path), recordSize_(recordSize)
{
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            throw FileError(path, "Not a regular file:");
        }
        // A read-only file is refused even when the system would let us write it.
        if ((info.st_mode & S_IWUSR) == 0) {
            throw FileError(path, "File is read-only:", EACCES);
        }
    } else if (open == Open::Existing) {
        throw FileError(path, "Cannot open", errno);
    }
    const int flags = O_RDWR | O_CLOEXEC | (open == Open::CreateIfMissing ? O_CREAT : 0);
    fd_ = ::open(path.c_str(), flags, 0644);
    if (fd_ < 0) {
        throw FileError(path, "Cannot open", errno);
    }
}

RecordFile::~RecordFile()
{
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

RecordFile::RecordFile(RecordFile&& other) noexcept
    : path_(std::move(other.path_)), recordSize_(other.recordSize_), fd_(other.fd_)
{
    other.fd_ = -1;
}

std::uint64_t RecordFile::RecordCount() const
{
    struct stat info
    {
    };
    if (::fstat(fd_, &info) != 0) {
        throw FileError(path_, "Cannot read the size of", errno);
    }
    return static_cast<std::uint64_t>(info.st_size) / recordSize_;
}

namespace {
// Reads exactly `length` bytes at `offset` unless the file ends first; returns bytes read.
std::size_t ReadFully(int fd, const fs::path& path, std::uint8_t* out, std::size_t length,
                      std::uint64_t offset)
{
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(fd, out + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError(path, "Cannot read", errno);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}
} // namespace

bool RecordFile::Read(std::uint64_t number, std::uint8_t* out) const
{
    return ReadBlock(number, 1, out) == 1;
}

std::size_t RecordFile::ReadBlock(std::uint64_t first, std::size_t count, std::uint8_t* out) const
{
    const std::uint64_t total = RecordCount();
    if (first >= total) {
        return 0;
    }
    if (count > total - first) {
        count = static_cast<std::size_t>(total - first);
    }
    const std::size_t bytes = ReadFully(fd_, path_, out, count * recordSize_, first * recordSize_);
    return bytes / recordSize_;
}

namespace {
// Writes `length` bytes at `offset`, counting in `done` what reached the file,
// so a caller can tell how far a failed write got.
void WriteFully(int fd, const fs::path& path, const std::uint8_t* in, std::size_t length,
                std::uint64_t offset, std::size_t& done)
{
    done = 0;
    while (done < length) {
        const ssize_t put = ::pwrite(fd, in + done, length - done, static_cast<off_t>(offset + done));
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError(path, "Cannot write", errno);
        }
        done += static_cast<std::size_t>(put);
    }
}
} // namespace

void RecordFile::Write(std::uint64_t number, const std::uint8_t* in)
{
    std::size_t done = 0;
    WriteFully(fd_, path_, in, recordSize_, number * recordSize_, done);
}

std::uint64_t RecordFile::Append(const std::uint8_t* in)
{
    return AppendMany(in, 1);
}

std::uint64_t RecordFile::AppendMany(const std::uint8_t* in, std::size_t count)
{
    const std::uint64_t first = RecordCount();
    std::size_t done = 0;
    try {
        WriteFully(fd_, path_, in, count * recordSize_, first * recordSize_, done);
    } catch (const FileError&) {
        // Never leave part of a record behind (a full disk, say): the file
        // keeps the whole records that were written and nothing more.
        const std::uint64_t kept = first + done / recordSize_;
        if (::ftruncate(fd_, static_cast<off_t>(kept * recordSize_)) != 0) {
            // Nothing more we can do; the readers ignore a partial tail.
        }
        throw;
    }
    return first;
}

void RecordFile::Close()
{
    if (fd_ < 0) {
        return;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        throw FileError(path_, "Cannot close", errno);
    }
}

MappedRecords::MappedRecords(const RecordFile& file) : recordSize_(file.recordSize())
{
    count_ = file.RecordCount();
    length_ = static_cast<std::size_t>(count_ * recordSize_);
    if (length_ == 0) {
        return;
    }
    void* address = ::mmap(nullptr, length_, PROT_READ, MAP_SHARED, file.descriptor(), 0);
    if (address == MAP_FAILED) {
        throw FileError(file.path(), "Cannot map", errno);
    }
    ::madvise(address, length_, MADV_SEQUENTIAL);
    data_ = static_cast<const std::uint8_t*>(address);
}

MappedRecords::~MappedRecords()
{
    if (data_) {
        ::munmap(const_cast<std::uint8_t*>(data_), length_);
    }
}

} // namespace dorvanta
