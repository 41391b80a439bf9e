#include "import/register_names.h"

#include "data/file_access.h"
#include "import/line_source.h"
#include "data/in_flight_file.h"

#include <cerrno>
#include <fstream>
#include <vector>

namespace dorvanta {

namespace fs = std::filesystem;

std::string PublishedNameLine(std::string_view registration, std::string_view name)
{
    std::string line;
    line.reserve(registration.size() + 1 + name.size());
    line.append(registration);
    line.push_back('^');
    line.append(name);
    return line;
}

void ForEachPublishedName(const fs::path& file, const std::function<void(std::string_view)>& use)
{
    std::error_code ec;
    if (file.empty() || !fs::exists(file, ec)) {
        return;
    }
    FileLineSource lines(file);
    std::string storage;
    std::string_view line;
    while (lines.NextView(line, storage)) {
        if (line.starts_with('#')) {
            continue;
        }
        // A registration number holds no "^" (the register's files are cut
        // at it); a name may.
        const std::size_t caret = line.find('^');
        if (caret != std::string_view::npos && caret + 1 < line.size()) {
            use(line.substr(caret + 1));
        }
    }
}

void ReplaceWithConcatenation(const fs::path& target, const std::vector<fs::path>& sources)
{
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    InFlightFile temporary(folder, target.filename().string() + "-", ".tmp");
    {
        std::ofstream out(temporary.path(), std::ios::binary | std::ios::trunc);
        std::vector<char> block(std::size_t{1} << 20);
        for (const fs::path& source : sources) {
            std::error_code ec;
            if (!fs::exists(source, ec)) {
                continue;
            }
            std::ifstream in(source, std::ios::binary);
            if (!in) {
                throw FileError(source, "Cannot open", errno);
            }
            while (in) {
                in.read(block.data(), static_cast<std::streamsize>(block.size()));
                out.write(block.data(), in.gcount());
            }
            if (in.bad()) {
                throw FileError(source, "Cannot read", errno, FileOperation::Read);
            }
        }
        out.flush();
        if (!out) {
            throw FileError(temporary.path(), "Cannot write", errno, FileOperation::Write);
        }
    }
    try {
        temporary.Publish(target);
    } catch (const fs::filesystem_error& error) {
        throw FileError(target, "Cannot replace", error.code().value(), FileOperation::Write);
    }
}

} // namespace dorvanta
