#pragma once

#include "data/file_access.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dorvanta {

inline constexpr std::string_view kCompanyFileName = "database.db";
inline constexpr std::string_view kOpportunityFileName = "bursa.db";

// The path of `name` inside `folder`. File names are used without regard to
// case: when no entry has exactly this name, an entry whose name differs only
// in the case of A to Z is taken. Without either, the exact name is returned.
std::filesystem::path ResolveFile(const std::filesystem::path& folder, std::string_view name);

// A file of fixed-size records, opened for reading and writing for the life
// of the object and closed by its destructor. A file that is missing or marked
// read-only (no owner write permission) cannot be opened, whoever runs us.
class RecordFile
{
public:
    enum class Open
    {
        Existing,       // fail when the file is missing
        CreateIfMissing // create an empty file when it is missing (never through a symbolic link)
    };

    RecordFile(const std::filesystem::path& path, std::size_t recordSize, Open open = Open::Existing);

    const std::filesystem::path& path() const { return file_.path(); }
    FileStamp Stamp() const { return file_.Stamp(); }
    std::size_t recordSize() const { return recordSize_; }

    // Takes the advisory lock of the file for the life of the object: shared
    // to read, exclusive to write. `onWait` is called once when another
    // holder makes the call wait (see FileHandle::Lock).
    void Lock(FileLock kind, const std::function<void()>& onWait = {}) { file_.Lock(kind, onWait); }

    // Whole records in the file; a trailing partial record does not count.
    std::uint64_t RecordCount() const;

    // Reads record `number` into `out` (recordSize bytes). False when the
    // number is at or past the end; a failed read throws FileError.
    bool Read(std::uint64_t number, std::uint8_t* out) const;

    // Reads up to `count` whole records starting at `first` into `out`;
    // returns how many were read (fewer at the end of the file).
    std::size_t ReadBlock(std::uint64_t first, std::size_t count, std::uint8_t* out) const;

    // Reads exactly `count` records starting at `first`, records the caller
    // counted before: a file that has become shorter meanwhile (another
    // program cut it) throws FileError like any failed read.
    void ReadRecords(std::uint64_t first, std::size_t count, std::uint8_t* out) const;

    // Records [first, first + count) mapped into memory, read-only (see MappedWindow).
    MappedWindow Map(std::uint64_t first, std::size_t count) const
    {
        return MappedWindow(file_, first * recordSize_, count * recordSize_);
    }

    // Writes a whole record over record `number` (which may be the record count, to append).
    void Write(std::uint64_t number, const std::uint8_t* in);

    // Writes `count` whole records over records `first` onwards in one write
    // (neighbouring records changed together cost one system call, not one each).
    void WriteMany(std::uint64_t first, const std::uint8_t* in, std::size_t count);

    // Writes whole records from `first` on, their bytes gathered from
    // `pieces` (which together hold whole records).
    void WriteGather(std::uint64_t first, std::span<const FileHandle::Piece> pieces);

    // Writes a whole record after the last whole record and returns its number.
    // A trailing partial record is overwritten, so the file stays whole records.
    std::uint64_t Append(const std::uint8_t* in);

    // Writes `count` whole records after the last whole record in one write
    // and returns the number of the first. When the write fails part-way the
    // file keeps the whole records that reached it, and the error is thrown.
    std::uint64_t AppendMany(const std::uint8_t* in, std::size_t count);

    // Flushes and closes; throws when the system reports a failure. The
    // destructor closes quietly when this was not called.
    void Close() { file_.Close(); }

private:
    std::size_t recordSize_;
    FileHandle file_;
};

// Calls `visit(number, record)` for every whole record of `file` numbered
// from `begin` up to `end`, in order, reading blocks of `blockRecords`
// records (under a megabyte by default, so a block is still in the cache
// while it is visited). A failed read throws FileError after the records
// before it were visited.
template <typename Visit>
void ForEachRecordIn(const RecordFile& file, std::uint64_t begin, std::uint64_t end, Visit&& visit,
                     std::size_t blockRecords = 1024)
{
    std::vector<std::uint8_t> block(blockRecords * file.recordSize());
    for (std::uint64_t first = begin; first < end;) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(blockRecords, end - first));
        const std::size_t count = file.ReadBlock(first, wanted, block.data());
        for (std::size_t i = 0; i < count; ++i) {
            visit(first + i, block.data() + i * file.recordSize());
        }
        if (count < wanted) {
            return;
        }
        first += count;
    }
}

// The same for every whole record of the file.
template <typename Visit>
void ForEachRecord(const RecordFile& file, Visit&& visit, std::size_t blockRecords = 1024)
{
    ForEachRecordIn(file, 0, ~std::uint64_t{0}, std::forward<Visit>(visit), blockRecords);
}

} // namespace dorvanta
