#include "import/line_sink.h"

#include "data/file_access.h"

#include <cerrno>

namespace dorvanta {

namespace {
constexpr std::size_t kBufferBytes = std::size_t{1} << 20;
} // namespace

FileLineSink::FileLineSink(const std::filesystem::path& path) : path_(path)
{
    errno = 0;
    file_ = OpenStdioFile(path, "wb");
    if (!file_) {
        throw FileError(path, "Cannot create", errno);
    }
    buffer_.reserve(kBufferBytes + 1024);
}

FileLineSink::~FileLineSink()
{
    if (file_) {
        std::fclose(file_);
    }
}

void FileLineSink::Write(std::string_view line)
{
    buffer_.append(line);
    buffer_.push_back('\n');
    if (buffer_.size() >= kBufferBytes) {
        Flush();
    }
}

void FileLineSink::Flush()
{
    errno = 0;
    if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
        throw FileError(path_, "Cannot write", errno, FileOperation::Write);
    }
    buffer_.clear();
}

void FileLineSink::Close()
{
    if (!file_) {
        return;
    }
    Flush();
    std::FILE* const file = file_;
    file_ = nullptr;
    errno = 0;
    if (std::fflush(file) != 0 || std::ferror(file)) {
        const int error = errno;
        std::fclose(file);
        throw FileError(path_, "Cannot write", error, FileOperation::Write);
    }
    if (std::fclose(file) != 0) {
        throw FileError(path_, "Cannot write", errno, FileOperation::Close);
    }
}

} // namespace dorvanta
