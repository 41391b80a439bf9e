#include "data/record_file.h"

#include "data/text.h"
#include "data/utf8_path.h"

#include <cstring>

namespace dorvanta {

namespace fs = std::filesystem;

namespace {
const char* OperationWords(FileOperation operation)
{
    switch (operation) {
    case FileOperation::Open:
        return "Cannot open";
    case FileOperation::Read:
        return "Cannot read";
    case FileOperation::Write:
        return "Cannot write";
    case FileOperation::Lock:
        return "Cannot lock";
    case FileOperation::Close:
        return "Cannot close";
    }
    return "Cannot use";
}
} // namespace

FileError::FileError(const fs::path& path, const std::string& what, int error, FileOperation operation)
    : std::runtime_error(what + " " + Utf8FromPath(path) +
                         (error ? std::string(": ") + std::strerror(error) : "")),
      path_(path), error_(error), operation_(operation)
{
}

FileError::FileError(const fs::path& path, FileOperation operation, int error)
    : FileError(path,
                error == 0 && operation == FileOperation::Read ? "The file ended before its last record:"
                                                               : OperationWords(operation),
                error, operation)
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
        if (ToLowerAZ(Utf8FromPath(it->path().filename())) == wanted) {
            return it->path();
        }
    }
    return exact;
}

RecordFile::RecordFile(const fs::path& path, std::size_t recordSize, Open open)
    : recordSize_(recordSize), file_(path, open == Open::CreateIfMissing)
{
}

std::uint64_t RecordFile::RecordCount() const
{
    return file_.Size() / recordSize_;
}

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
    return file_.ReadAt(first * recordSize_, out, count * recordSize_) / recordSize_;
}

void RecordFile::ReadRecords(std::uint64_t first, std::size_t count, std::uint8_t* out) const
{
    const std::size_t length = count * recordSize_;
    if (file_.ReadAt(first * recordSize_, out, length) != length) {
        throw FileError(file_.path(), FileOperation::Read, 0);
    }
}

void RecordFile::Write(std::uint64_t number, const std::uint8_t* in)
{
    std::size_t done = 0;
    file_.WriteAt(number * recordSize_, in, recordSize_, done);
}

void RecordFile::WriteMany(std::uint64_t first, const std::uint8_t* in, std::size_t count)
{
    std::size_t done = 0;
    file_.WriteAt(first * recordSize_, in, count * recordSize_, done);
}

void RecordFile::WriteGather(std::uint64_t first, std::span<const FileHandle::Piece> pieces)
{
    std::size_t done = 0;
    file_.WriteGatherAt(first * recordSize_, pieces, done);
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
        file_.WriteAt(first * recordSize_, in, count * recordSize_, done);
    } catch (const FileError&) {
        // Never leave part of a record behind (a full disk, say): the file
        // keeps the whole records that were written and nothing more.
        try {
            file_.Truncate((first + done / recordSize_) * recordSize_);
        } catch (const FileError&) {
            // Nothing more we can do; the readers ignore a partial tail.
        }
        throw;
    }
    return first;
}

} // namespace dorvanta
