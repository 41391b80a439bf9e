#include "import/line_source.h"

#include "data/record_file.h"

#include <algorithm>
#include <cerrno>

namespace dorvanta {

namespace {
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
} // namespace

bool VectorLineSource::Next(std::string& line)
{
    if (next_ == lines_.size()) {
        return false;
    }
    line = lines_[next_++];
    return true;
}

FileLineSource::FileLineSource(const std::filesystem::path& path) : path_(path), buffer_(kBlockBytes)
{
    errno = 0;
    in_.open(path, std::ios::binary);
    if (!in_) {
        throw FileError(path, "Cannot open", errno);
    }
}

bool FileLineSource::Fill()
{
    errno = 0;
    in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    if (in_.bad()) {
        throw FileError(path_, "Cannot read", errno, FileOperation::Read);
    }
    position_ = 0;
    end_ = static_cast<std::size_t>(in_.gcount());
    bytesRead_ += end_;
    return end_ > 0;
}

void FileLineSource::Rewind()
{
    in_.clear();
    in_.seekg(0);
    if (!in_) {
        throw FileError(path_, "Cannot read", errno, FileOperation::Read);
    }
    position_ = end_ = 0;
    bytesRead_ = 0;
    skipLineFeed_ = false;
}

bool FileLineSource::NextView(std::string_view& line, std::string& storage)
{
    if (skipLineFeed_ && position_ < end_) {
        skipLineFeed_ = false;
        position_ += buffer_[position_] == '\n' ? 1 : 0;
    }
    // A line that lies whole in the buffer, its break after it, is viewed where it lies.
    if (position_ < end_ && !skipLineFeed_) {
        const char* const begin = buffer_.data() + position_;
        const char* const stop = buffer_.data() + end_;
        const char* const lineBreak = FindLineBreak(begin, stop);
        if (lineBreak != stop) {
            const auto length = static_cast<std::size_t>(lineBreak - begin);
            line = std::string_view(begin, std::min(length, kMaxLineBytes));
            skipLineFeed_ = *lineBreak == '\r';
            position_ += length + 1;
            return true;
        }
    }
    const bool got = Next(storage);
    line = storage;
    return got;
}

bool FileLineSource::Next(std::string& line)
{
    line.clear();
    bool started = false; // bytes of a line seen: the end of the file ends it
    for (;;) {
        if (position_ == end_ && !Fill()) {
            return started;
        }
        if (skipLineFeed_) {
            skipLineFeed_ = false;
            if (buffer_[position_] == '\n') {
                ++position_;
                continue;
            }
        }
        const char* const begin = buffer_.data() + position_;
        const char* const stop = buffer_.data() + end_;
        const char* const lineBreak = FindLineBreak(begin, stop);
        const auto length = static_cast<std::size_t>(lineBreak - begin);
        line.append(begin, std::min(length, kMaxLineBytes - line.size()));
        started = started || length > 0;
        position_ += length;
        if (lineBreak != stop) {
            skipLineFeed_ = *lineBreak == '\r';
            ++position_;
            return true;
        }
    }
}

} // namespace dorvanta
