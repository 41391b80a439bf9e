#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

// Where generated lines go, one after the other.
namespace dorvanta {

class LineSink
{
public:
    virtual ~LineSink() = default;
    // Writes `line` and a line feed.
    virtual void Write(std::string_view line) = 0;
};

// Lines into a file, gathered into large writes. Throws FileError when the
// file cannot be created or a write fails (a full disk is never taken for a
// file written whole).
class FileLineSink final : public LineSink
{
public:
    explicit FileLineSink(const std::filesystem::path& path);
    ~FileLineSink() override;
    FileLineSink(const FileLineSink&) = delete;
    FileLineSink& operator=(const FileLineSink&) = delete;

    void Write(std::string_view line) override;
    // Writes what is gathered and closes the file, reporting a failure.
    void Close();

private:
    void Flush();

    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
    std::string buffer_;
};

} // namespace dorvanta
