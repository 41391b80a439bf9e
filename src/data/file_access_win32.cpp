// The file seam on Windows: handles, ReadFile/WriteFile at 64-bit offsets,
// LockFileEx. Errors are turned into the errno values the rest of the program
// knows, so the messages name the same reasons on both systems.

#include "data/file_access.h"
#include "data/file_write_limit.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <windows.h>

namespace dorvanta {

namespace fs = std::filesystem;

namespace {

HANDLE Native(std::intptr_t native)
{
    return reinterpret_cast<HANDLE>(native);
}

int ErrnoOf(DWORD error)
{
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    default:
        return EIO;
    }
}

OVERLAPPED At(std::uint64_t offset)
{
    OVERLAPPED overlapped{};
    overlapped.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    overlapped.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return overlapped;
}

// The lock is taken on one byte far past any data, not on the records: a
// Windows lock on a range stops other handles from reading or writing it,
// and the lock is meant only to order the programs that ask for it.
constexpr std::uint64_t kLockOffset = 0x7FFFFFFFFFFFFFF0ull;

// Reads and writes are cut into pieces a DWORD can count.
constexpr std::size_t kPiece = std::size_t{1} << 30;

HANDLE OpenHandle(const fs::path& path, DWORD disposition)
{
    // Others may read and write (the locks order them) and rename or delete
    // (an update replaces files); a reparse point is opened as itself when
    // the file is created, so a link is never followed to make its target.
    const DWORD flags =
        FILE_ATTRIBUTE_NORMAL | (disposition == CREATE_NEW ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    return ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, disposition, flags,
                         nullptr);
}

} // namespace

FileHandle::FileHandle(const fs::path& path, bool createIfMissing) : path_(path)
{
    HANDLE handle = OpenHandle(path, OPEN_EXISTING);
    DWORD error = handle == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
    if (handle == INVALID_HANDLE_VALUE && error == ERROR_FILE_NOT_FOUND && createIfMissing) {
        handle = OpenHandle(path, CREATE_NEW);
        error = handle == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
        if (handle == INVALID_HANDLE_VALUE && error == ERROR_FILE_EXISTS) {
            handle = OpenHandle(path, OPEN_EXISTING);
            error = handle == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
            if (handle == INVALID_HANDLE_VALUE && error == ERROR_FILE_NOT_FOUND) {
                throw FileError(path, "Will not create a file through the symbolic link");
            }
        }
    }
    if (handle == INVALID_HANDLE_VALUE) {
        throw FileError(path, FileOperation::Open, ErrnoOf(error));
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info)) {
        error = ::GetLastError();
        ::CloseHandle(handle);
        throw FileError(path, FileOperation::Open, ErrnoOf(error));
    }
    if ((info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
        ::CloseHandle(handle);
        throw FileError(path, "Not a regular file:");
    }
    // The read-only attribute is honoured even where the system would let us write.
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        ::CloseHandle(handle);
        throw FileError(path, "File is read-only:", EACCES);
    }
    native_ = reinterpret_cast<std::intptr_t>(handle);
}

FileHandle::~FileHandle()
{
    if (native_ != -1) {
        ::CloseHandle(Native(native_));
    }
}

FileHandle::FileHandle(FileHandle&& other) noexcept : path_(std::move(other.path_)), native_(other.native_)
{
    other.native_ = -1;
}

std::uint64_t FileHandle::Size() const
{
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(Native(native_), &size)) {
        throw FileError(path_, "Cannot read the size of", ErrnoOf(::GetLastError()), FileOperation::Read);
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

FileStamp FileHandle::Stamp() const
{
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO basic{};
    if (!::GetFileInformationByHandle(Native(native_), &info) ||
        !::GetFileInformationByHandleEx(Native(native_), FileBasicInfo, &basic, sizeof(basic))) {
        throw FileError(path_, "Cannot read the size of", ErrnoOf(::GetLastError()), FileOperation::Read);
    }
    const auto join = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
    FileStamp stamp;
    stamp.size = join(info.nFileSizeHigh, info.nFileSizeLow);
    stamp.modified = basic.LastWriteTime.QuadPart;
    stamp.changed = basic.ChangeTime.QuadPart;
    stamp.device = info.dwVolumeSerialNumber;
    stamp.index = join(info.nFileIndexHigh, info.nFileIndexLow);
    return stamp;
}

std::size_t FileHandle::ReadAt(std::uint64_t offset, void* out, std::size_t length) const
{
    auto* bytes = static_cast<unsigned char*>(out);
    std::size_t done = 0;
    while (done < length) {
        OVERLAPPED at = At(offset + done);
        DWORD got = 0;
        const auto piece = static_cast<DWORD>(std::min(length - done, kPiece));
        if (!::ReadFile(Native(native_), bytes + done, piece, &got, &at)) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_HANDLE_EOF) {
                break;
            }
            throw FileError(path_, FileOperation::Read, ErrnoOf(error));
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

void FileHandle::WriteAt(std::uint64_t offset, const void* in, std::size_t length, std::size_t& done)
{
    const auto* bytes = static_cast<const unsigned char*>(in);
    done = 0;
    while (done < length) {
        OVERLAPPED at = At(offset + done);
        DWORD put = 0;
        auto piece = static_cast<DWORD>(std::min(length - done, kPiece));
        if (file_access_detail::WritesLimited()) {
            piece = static_cast<DWORD>(file_access_detail::TakeWriteAllowance(piece));
            if (piece == 0) {
                throw FileError(path_, FileOperation::Write, ENOSPC);
            }
        }
        if (!::WriteFile(Native(native_), bytes + done, piece, &put, &at)) {
            throw FileError(path_, FileOperation::Write, ErrnoOf(::GetLastError()));
        }
        done += put;
    }
}

void FileHandle::WriteGatherAt(std::uint64_t offset, std::span<const Piece> pieces, std::size_t& done)
{
    // WriteFileGather wants unbuffered, page-aligned pieces: one write each.
    done = 0;
    for (const Piece& piece : pieces) {
        std::size_t written = 0;
        try {
            WriteAt(offset + done, piece.bytes, piece.length, written);
        } catch (const FileError&) {
            done += written;
            throw;
        }
        done += written;
    }
}

void FileHandle::Truncate(std::uint64_t size)
{
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
    if (!::SetFileInformationByHandle(Native(native_), FileEndOfFileInfo, &end, sizeof end)) {
        throw FileError(path_, FileOperation::Write, ErrnoOf(::GetLastError()));
    }
}

void FileHandle::Lock(FileLock kind, const std::function<void()>& onWait)
{
    // Windows drops the locks of a handle when the process holding it ends,
    // also when it crashes, so no holder blocks the others for ever.
    const DWORD exclusive = kind == FileLock::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0;
    OVERLAPPED at = At(kLockOffset);
    if (::LockFileEx(Native(native_), exclusive | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        return;
    }
    const DWORD error = ::GetLastError();
    if (error != ERROR_LOCK_VIOLATION && error != ERROR_IO_PENDING) {
        if (error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION) {
            return; // a file system without locks
        }
        throw FileError(path_, FileOperation::Lock, ErrnoOf(error));
    }
    if (onWait) {
        onWait();
    }
    at = At(kLockOffset);
    if (!::LockFileEx(Native(native_), exclusive, 0, 1, 0, &at)) {
        throw FileError(path_, FileOperation::Lock, ErrnoOf(::GetLastError()));
    }
}

bool FileHandle::TryLock(FileLock kind)
{
    const DWORD exclusive = kind == FileLock::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0;
    OVERLAPPED at = At(kLockOffset);
    if (::LockFileEx(Native(native_), exclusive | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        return true;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING || error == ERROR_NOT_SUPPORTED ||
        error == ERROR_INVALID_FUNCTION) {
        return false;
    }
    throw FileError(path_, FileOperation::Lock, ErrnoOf(error));
}

void FileHandle::Close()
{
    if (native_ == -1) {
        return;
    }
    HANDLE handle = Native(native_);
    native_ = -1;
    if (!::CloseHandle(handle)) {
        throw FileError(path_, FileOperation::Close, ErrnoOf(::GetLastError()));
    }
}

// Windows refuses to cut a file while a view of it is mapped, and a mapped
// view of a file on a network share fails with an exception of its own; the
// window is read into memory instead, which no other program can take away.
MappedWindow::MappedWindow(const FileHandle& file, std::uint64_t offset, std::size_t length) : length_(length)
{
    if (length == 0) {
        return;
    }
    auto buffer = std::make_unique<std::uint8_t[]>(length); // zero bytes past what is read
    mappedLength_ = file.ReadAt(offset, buffer.get(), length);
    data_ = buffer.get();
    base_ = buffer.release();
}

MappedWindow::~MappedWindow()
{
    delete[] static_cast<std::uint8_t*>(base_);
}

std::size_t MappedWindow::CutAt() const
{
    return base_ == nullptr ? length_ : mappedLength_;
}

std::FILE* OpenStdioFile(const fs::path& path, const char* mode)
{
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return ::_wfopen(path.c_str(), wideMode.c_str());
}

} // namespace dorvanta
