#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// Lines handed to the imports one at a time, so that an answer or an input
// file of any size is never held whole in memory.
namespace dorvanta {

// The longest line a source hands out: longer lines are cut, as long fields
// are (no field of either line format holds more than 255 bytes).
inline constexpr std::size_t kMaxLineBytes = std::size_t{64} << 10;

// The first CR or LF in [begin, end), or `end`. Searched with memchr, which
// goes through a line many bytes at a time, in windows: an answer that
// breaks its lines with one kind only is never searched far for the other.
inline const char* FindLineBreak(const char* begin, const char* end)
{
    constexpr std::size_t kWindow = 1024;
    while (begin != end) {
        const std::size_t size = std::min(static_cast<std::size_t>(end - begin), kWindow);
        const void* const lineFeed = std::memchr(begin, '\n', size);
        const std::size_t before =
            lineFeed ? static_cast<std::size_t>(static_cast<const char*>(lineFeed) - begin) : size;
        if (const void* const carriageReturn = std::memchr(begin, '\r', before)) {
            return static_cast<const char*>(carriageReturn);
        }
        if (lineFeed) {
            return static_cast<const char*>(lineFeed);
        }
        begin += size;
    }
    return end;
}

class LineSource
{
public:
    virtual ~LineSource() = default;

    // The next line, without its line break, into `line`; false after the
    // last one. Throws FileError when reading fails.
    virtual bool Next(std::string& line) = 0;

    // Starts again at the first line (the company import reads its lines twice).
    virtual void Rewind() = 0;

    // The same as a view, valid until the next call: of the source's own
    // bytes when it can, saving a copy of each line, else of `storage`.
    virtual bool NextView(std::string_view& line, std::string& storage)
    {
        const bool got = Next(storage);
        line = storage;
        return got;
    }

    // Every line has been read and none will be asked for again: the source
    // may let go of what it holds.
    virtual void Finished() {}
};

// Lines already in memory, handed out as they are.
class VectorLineSource final : public LineSource
{
public:
    explicit VectorLineSource(const std::vector<std::string>& lines) : lines_(lines) {}
    bool Next(std::string& line) override;
    void Rewind() override { next_ = 0; }

private:
    const std::vector<std::string>& lines_;
    std::size_t next_ = 0;
};

// The lines of a file, read in large blocks and split as the server's answers
// are: at CR, LF or CR LF, a break at the very end making no empty last line.
// A line longer than kMaxLineBytes is cut to its first kMaxLineBytes bytes and
// the rest of it is read past, never held.
class FileLineSource final : public LineSource
{
public:
    // Throws FileError when the file cannot be opened for reading.
    explicit FileLineSource(const std::filesystem::path& path);

    bool Next(std::string& line) override;
    bool NextView(std::string_view& line, std::string& storage) override;
    void Rewind() override;
    void Finished() override { in_.close(); } // so that the file can be removed, on Windows too

    // Bytes of the file read so far in this pass.
    std::uint64_t BytesRead() const { return bytesRead_; }

private:
    bool Fill();

    std::filesystem::path path_;
    std::ifstream in_;
    std::vector<char> buffer_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    std::uint64_t bytesRead_ = 0;
    bool skipLineFeed_ = false; // the last line ended with CR: a LF right after it belongs to that break
};

} // namespace dorvanta
