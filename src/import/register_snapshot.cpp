#include "import/register_snapshot.h"

#include "data/record_file.h"
#include "data/utf8_path.h"

#include <array>

namespace dorvanta {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string AsciiUpper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

// Cuts `line` at every `^` into `fields`.
void SplitCarets(std::string_view line, std::vector<std::string_view>& fields)
{
    fields.clear();
    for (;;) {
        const std::size_t caret = line.find('^');
        fields.push_back(line.substr(0, caret));
        if (caret == std::string_view::npos) {
            return;
        }
        line.remove_prefix(caret + 1);
    }
}

std::string FormatText(RegisterFormatError::Kind kind, const std::string& subject, const std::string& file,
                       Language language)
{
    using Kind = RegisterFormatError::Kind;
    switch (kind) {
    case Kind::NotAFolder:
        return std::string(Pick(language, "Not a folder: ", "Nu este un dosar: ")) + subject;
    case Kind::NoCompanyFile:
        return std::string(Pick(language,
                                "The folder holds no OD_FIRME.CSV, the register's file of companies: ",
                                "Dosarul nu contine OD_FIRME.CSV, fisierul de firme al registrului: ")) +
               subject;
    case Kind::NoHeader:
        return std::string(Pick(language, "No header line naming the columns in ",
                                "Lipseste primul rand, cu numele coloanelor, din ")) +
               subject;
    case Kind::NoColumn:
        return std::string(Pick(language, "The column ", "Coloana ")) + subject +
               std::string(Pick(language, " is missing from ", " lipseste din ")) + file;
    }
    return subject;
}

} // namespace

RegisterFormatError::RegisterFormatError(Kind kind, std::string subject, std::string file)
    : std::runtime_error(FormatText(kind, subject, file, Language::EN)), kind_(kind),
      subject_(std::move(subject)), file_(std::move(file))
{
}

std::string RegisterFormatError::Text(Language language) const
{
    return FormatText(kind_, subject_, file_, language);
}

std::string_view TrimSpaces(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

RegisterFiles FindRegisterFiles(const fs::path& folder)
{
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        throw RegisterFormatError(RegisterFormatError::Kind::NotAFolder, Utf8FromPath(folder));
    }
    RegisterFiles files;
    const std::array<std::pair<std::string_view, fs::path*>, 5> wanted{{
        {"OD_FIRME.CSV", &files.companies},
        {"OD_STARE_FIRMA.CSV", &files.states},
        {"N_STARE_FIRMA.CSV", &files.stateNames},
        {"OD_CAEN_AUTORIZAT.CSV", &files.activities},
        {"N_CAEN.CSV", &files.classNames},
    }};
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string upper = AsciiUpper(Utf8FromPath(entry.path().filename()));
        for (const auto& [fileName, path] : wanted) {
            // The first one found in the folder's listing would depend on the
            // file system's order; the smallest name is the same everywhere.
            if (upper == fileName && entry.is_regular_file(ec) &&
                (path->empty() || entry.path().filename() < path->filename())) {
                *path = entry.path();
            }
        }
    }
    if (ec) {
        throw FileError(folder, "Cannot read the folder", ec.value());
    }
    if (files.companies.empty()) {
        throw RegisterFormatError(RegisterFormatError::Kind::NoCompanyFile, Utf8FromPath(folder));
    }
    return files;
}

RegisterTable::RegisterTable(const fs::path& path) : path_(path), lines_(path)
{
    std::error_code ec;
    size_ = fs::file_size(path, ec);
    std::string_view line;
    do {
        if (!lines_.NextView(line, storage_)) {
            throw RegisterFormatError(RegisterFormatError::Kind::NoHeader, Utf8FromPath(path.filename()));
        }
        if (line.starts_with(kByteOrderMark)) {
            line.remove_prefix(kByteOrderMark.size());
        }
    } while (TrimSpaces(line).empty());
    std::vector<std::string_view> names;
    SplitCarets(line, names);
    for (const std::string_view name : names) {
        header_.push_back(AsciiUpper(TrimSpaces(name)));
    }
}

std::optional<std::size_t> RegisterTable::Column(std::string_view name) const
{
    const std::string wanted = AsciiUpper(TrimSpaces(name));
    for (std::size_t i = 0; i < header_.size(); ++i) {
        if (header_[i] == wanted) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t RegisterTable::RequireColumn(std::string_view name) const
{
    if (const std::optional<std::size_t> column = Column(name)) {
        return *column;
    }
    throw RegisterFormatError(RegisterFormatError::Kind::NoColumn, std::string(name),
                              Utf8FromPath(path_.filename()));
}

bool RegisterTable::Next(Row& row)
{
    std::string_view line;
    do {
        if (!lines_.NextView(line, storage_)) {
            return false;
        }
    } while (TrimSpaces(line).empty());
    line_ = line;
    SplitCarets(line, fields_);
    row = Row::Whole;
    if (fields_.size() < header_.size()) {
        row = Row::Short;
    } else if (fields_.size() > header_.size()) {
        // A separator at the end of every row is harmless; text past the
        // header's columns means the fields cannot be told apart.
        for (std::size_t i = header_.size(); i < fields_.size(); ++i) {
            if (!TrimSpaces(fields_[i]).empty()) {
                row = Row::Long;
            }
        }
    }
    return true;
}

} // namespace dorvanta
