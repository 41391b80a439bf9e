#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dorvanta {

inline constexpr std::string_view kCompanyFileName = "database.db";
inline constexpr std::string_view kOpportunityFileName = "bursa.db";

// An input/output failure on a file; carries the path and the system's reason.
class FileError : public std::runtime_error
{
public:
    FileError(const std::filesystem::path& path, const std::string& what, int error = 0);
    const std::filesystem::path& path() const { return path_; }
    int error() const { return error_; }

private:
    std::filesystem::path path_;
    int error_;
};

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
        CreateIfMissing // create an empty file when it is missing
    };

    RecordFile(const std::filesystem::path& path, std::size_t recordSize, Open open = Open::Existing);
    ~RecordFile();
    RecordFile(RecordFile&& other) noexcept;
    RecordFile& operator=(RecordFile&&) = delete;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::size_t recordSize() const { return recordSize_; }

    // Whole records in the file; a trailing partial record does not count.
    std::uint64_t RecordCount() const;

    // Reads record `number` into `out` (recordSize bytes). False when the
    // number is at or past the end; a failed read throws FileError.
    bool Read(std::uint64_t number, std::uint8_t* out) const;

    // Reads up to `count` whole records starting at `first` into `out`;
    // returns how many were read (fewer at the end of the file).
    std::size_t ReadBlock(std::uint64_t first, std::size_t count, std::uint8_t* out) const;

    // Writes a whole record over record `number` (which may be the record count, to append).
    void Write(std::uint64_t number, const std::uint8_t* in);

    // Writes a whole record after the last whole record and returns its number.
    // A trailing partial record is overwritten, so the file stays whole records.
    std::uint64_t Append(const std::uint8_t* in);

    // Writes `count` whole records after the last whole record in one write
    // and returns the number of the first. When the write fails part-way the
    // file keeps the whole records that reached it, and the error is thrown.
    std::uint64_t AppendMany(const std::uint8_t* in, std::size_t count);

    // Flushes and closes; throws when the system reports a failure. The
    // destructor closes quietly when this was not called.
    void Close();

    int descriptor() const { return fd_; }

private:
    std::filesystem::path path_;
    std::size_t recordSize_;
    int fd_ = -1;
};

// A read-only view of the whole records of an open record file, mapped into
// memory instead of copied: the searches read only the few bytes they test.
class MappedRecords
{
public:
    explicit MappedRecords(const RecordFile& file);
    ~MappedRecords();
    MappedRecords(const MappedRecords&) = delete;
    MappedRecords& operator=(const MappedRecords&) = delete;

    std::uint64_t count() const { return count_; }
    const std::uint8_t* record(std::uint64_t number) const { return data_ + number * recordSize_; }

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t length_ = 0;
    std::size_t recordSize_;
    std::uint64_t count_ = 0;
};

// Calls `visit(number, record)` for every whole record of `file`, in order,
// reading blocks of `blockRecords` records (under a megabyte by default, so a
// block is still in the cache while it is visited). A failed read throws
// FileError after the records before it were visited.
template <typename Visit>
void ForEachRecord(const RecordFile& file, Visit&& visit, std::size_t blockRecords = 1024)
{
    std::vector<std::uint8_t> block(blockRecords * file.recordSize());
    for (std::uint64_t first = 0;;) {
        const std::size_t count = file.ReadBlock(first, blockRecords, block.data());
        for (std::size_t i = 0; i < count; ++i) {
            visit(first + i, block.data() + i * file.recordSize());
        }
        if (count < blockRecords) {
            return;
        }
        first += count;
    }
}

} // namespace dorvanta
