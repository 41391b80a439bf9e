#pragma once

#include "data/language.h"
#include "import/line_source.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Reading the trade register's open data: a folder of `^`-separated UTF-8
// tables whose first line names the columns.
namespace dorvanta {

// The snapshot lacks a file or a column it must have; the text names it.
class RegisterFormatError : public std::runtime_error
{
public:
    enum class Kind
    {
        NotAFolder,    // `subject`: the path given
        NoCompanyFile, // `subject`: the folder
        NoHeader,      // `subject`: the file
        NoColumn       // `subject`: the column, `file`: the file
    };
    RegisterFormatError(Kind kind, std::string subject, std::string file = {});
    Kind kind() const { return kind_; }
    // The text for the user, in `language` (what() is the English one).
    std::string Text(Language language) const;

private:
    Kind kind_;
    std::string subject_;
    std::string file_;
};

// The files of one snapshot, found by name without regard to letter case,
// ending in .csv; an empty path for a file that is not there.
struct RegisterFiles
{
    std::filesystem::path companies;  // OD_FIRME, required
    std::filesystem::path states;     // OD_STARE_FIRMA
    std::filesystem::path stateNames; // N_STARE_FIRMA
    std::filesystem::path activities; // OD_CAEN_AUTORIZAT
    std::filesystem::path classNames; // N_CAEN
};

// Throws RegisterFormatError when `folder` is not a folder or holds no OD_FIRME.
RegisterFiles FindRegisterFiles(const std::filesystem::path& folder);

// One table, read row by row in large blocks. A byte-order mark before the
// header is passed over; lines end in LF or CR LF; there is no quoting, so a
// quote is data like any other byte.
class RegisterTable
{
public:
    // Throws FileError when the file cannot be read, and RegisterFormatError
    // when it has no header line.
    explicit RegisterTable(const std::filesystem::path& path);

    // The position of a column by its header name (any letter case, spaces
    // around it ignored), or nothing.
    std::optional<std::size_t> Column(std::string_view name) const;
    // The same, throwing RegisterFormatError that names the file and the column.
    std::size_t RequireColumn(std::string_view name) const;

    enum class Row
    {
        Whole,
        Short, // fewer fields than the header names
        Long   // more fields than the header names, some of the extra ones not empty
    };
    // The next row that is not empty; false after the last. Fields of a whole
    // row are read with Field until the next call.
    bool Next(Row& row);
    std::string_view Field(std::size_t column) const { return fields_[column]; }
    std::size_t FieldCount() const { return fields_.size(); }
    // The whole row as read, until the next call.
    std::string_view Line() const { return line_; }

    // Bytes of the file read so far, and its size.
    std::uint64_t BytesRead() const { return lines_.BytesRead(); }
    std::uint64_t Size() const { return size_; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    FileLineSource lines_;
    std::uint64_t size_ = 0;
    std::vector<std::string> header_;
    std::vector<std::string_view> fields_;
    std::string_view line_;
    std::string storage_;
};

// The text of a field without the spaces around it.
std::string_view TrimSpaces(std::string_view text);

} // namespace dorvanta
