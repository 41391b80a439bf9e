#pragma once

// The one place that asks the operating system for files: open, read and
// write at 64-bit offsets, size, truncate, advisory locks, read-only mapped
// windows. The POSIX side is file_access_posix.cpp and file_map_posix.cpp,
// the Windows side file_access_win32.cpp; nothing else in the program
// includes a system header for files.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>

namespace dorvanta {

// What was being done to a file when it failed.
enum class FileOperation
{
    Open,
    Read,
    Write,
    Lock,
    Close
};

// An input/output failure on a file; carries the path, what was being done
// and the system's reason as an errno value (0: the text says it all; a read
// with 0 means the file ended before the records it was expected to hold).
class FileError : public std::runtime_error
{
public:
    FileError(const std::filesystem::path& path, const std::string& what, int error = 0,
              FileOperation operation = FileOperation::Open);
    FileError(const std::filesystem::path& path, FileOperation operation, int error);
    const std::filesystem::path& path() const { return path_; }
    int error() const { return error_; }
    FileOperation operation() const { return operation_; }

private:
    std::filesystem::path path_;
    int error_;
    FileOperation operation_;
};

// What tells one state of a file from another. Size and modification time
// alone miss a rewrite to the same size within the file system's time
// resolution; the change time moves with every write, and a file written
// anew and moved into place has another identity (device and index).
struct FileStamp
{
    std::uint64_t size = 0;
    std::int64_t modified = 0; // in the system's own units
    std::int64_t changed = 0;
    std::uint64_t device = 0;
    std::uint64_t index = 0;

    bool operator==(const FileStamp&) const = default;
};

enum class FileLock
{
    Shared,   // readers: searches, pages, exports
    Exclusive // writers: imports and updates
};

// An open file, closed by the destructor. Every failure throws FileError.
class FileHandle
{
public:
    // Opens `path` for reading and writing. A file that is not a regular file
    // or is marked read-only (no owner write permission) is refused, whoever
    // runs us. With `createIfMissing` a missing file is created, but never
    // through a symbolic link: a link that points nowhere is refused rather
    // than followed to create its target somewhere else.
    FileHandle(const std::filesystem::path& path, bool createIfMissing);
    ~FileHandle();
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&&) = delete;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    const std::filesystem::path& path() const { return path_; }

    std::uint64_t Size() const;

    FileStamp Stamp() const;

    // Reads up to `length` bytes at `offset`; fewer only where the file ends.
    std::size_t ReadAt(std::uint64_t offset, void* out, std::size_t length) const;

    // Writes `length` bytes at `offset`, counting in `done` the bytes that
    // reached the file, so a caller can tell how far a failed write got.
    void WriteAt(std::uint64_t offset, const void* in, std::size_t length, std::size_t& done);

    // Writes `pieces`, one after the other, from `offset` on: one stretch of
    // the file from bytes in many places, without gathering them first.
    // `done` counts as WriteAt's does.
    struct Piece
    {
        const void* bytes;
        std::size_t length;
    };
    void WriteGatherAt(std::uint64_t offset, std::span<const Piece> pieces, std::size_t& done);

    void Truncate(std::uint64_t size);

    // Takes an advisory lock on the whole file, held until the file is
    // closed. When another holder keeps it from being granted at once,
    // `onWait` (when given) is called once and the call waits for it. A lock
    // dies with the process that holds it, so a program that crashed never
    // blocks the others. Where the file system has no locks the call returns
    // without one: the program stays usable there, unguarded.
    void Lock(FileLock kind, const std::function<void()>& onWait = {});

    // Takes the lock only when it is free now: true when it was granted.
    // False also where the file system has no locks, since it then cannot
    // tell whether another program holds the file.
    bool TryLock(FileLock kind);

    // Closes and reports a failure the system saw on the way (a delayed write error).
    void Close();

    std::intptr_t native() const { return native_; }

private:
    std::filesystem::path path_;
    std::intptr_t native_ = -1; // a descriptor, or a HANDLE on Windows
};

// A read-only window of an open file, mapped into memory instead of copied:
// a search reads only the few bytes of each record it tests, far less than
// every byte. When another program cuts the file while the window is read,
// the pages past the new end read as zero bytes instead of stopping the
// program with a signal, and CutAt() says where the file ended. The window
// stays valid for its own life only, not beyond the FileHandle's.
class MappedWindow
{
public:
    MappedWindow(const FileHandle& file, std::uint64_t offset, std::size_t length);
    ~MappedWindow();
    MappedWindow(const MappedWindow&) = delete;
    MappedWindow& operator=(const MappedWindow&) = delete;

    const std::uint8_t* data() const { return data_; }
    std::size_t length() const { return length_; }

    // The offset in the window of the first byte that was no longer in the
    // file when it was read; length() when every byte read was the file's.
    std::size_t CutAt() const;

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t length_ = 0;
    void* base_ = nullptr; // the mapping, from the page boundary before data_
    std::size_t mappedLength_ = 0;
    int guard_ = -1; // slot of the cut guard
};

// For tests only: a disk that fills in the middle of a write. From this
// call on, the writes of every FileHandle of the process may put `bytes`
// more bytes into files; the write that reaches the limit stops there, part
// of its bytes written, and fails with ENOSPC, as does every write after it,
// until UnlimitWritesForTests(). (A file size limit cannot stand in for
// this: it never fails a write over bytes the file already has.)
void LimitWritesForTests(std::uint64_t bytes);
void UnlimitWritesForTests();

// std::fopen for a path in the system's own form (wide text on Windows), so
// that a folder with letters outside the system's narrow code page opens.
std::FILE* OpenStdioFile(const std::filesystem::path& path, const char* mode);

} // namespace dorvanta
