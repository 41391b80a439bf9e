#include "cli/commands.h"
#include "cli/cp1250.h"

#include "data/messages.h"
#include "data/text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <system_error>

namespace dorvanta::cli {

namespace fs = std::filesystem;

fs::path DataFolder(const GlobalOptions& globals)
{
    std::error_code ec;
    fs::path folder = fs::absolute(globals.dir.empty() ? fs::path(".") : globals.dir, ec);
    if (ec) {
        folder = globals.dir;
    }
    return folder.lexically_normal();
}

CLI::Validator Cp1250Text()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const std::optional<std::string> converted = Utf8ToCp1250(text);
            if (!converted) {
                return "the text holds a character that Windows-1250 (the code page of the database "
                       "files) cannot hold, or is not valid UTF-8";
            }
            text = *converted;
            return {};
        },
        "");
}

std::string TerminalText(std::string_view stored)
{
    std::string clean(stored);
    for (char& c : clean) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            c = ' ';
        }
    }
    return Cp1250ToUtf8(clean);
}

void WriteOutput(std::string_view bytes)
{
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
        throw std::runtime_error(std::string("Cannot write to standard output: ") + std::strerror(errno));
    }
}

void PrintMessage(std::string_view message)
{
    // The status texts join their sentences with a lone carriage return,
    // which would overwrite the first sentence on a terminal.
    std::string text;
    text.reserve(message.size() + 1);
    for (const std::string& line : SplitLines(message)) {
        text += line;
        text += '\n';
    }
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

std::string FileProblemText(const FileError& error, std::string_view fileName, Language language)
{
    if (fileName == kOpportunityFileName) {
        std::error_code ec;
        if (!fs::exists(error.path(), ec)) {
            return GetMessageText(10, language);
        }
    }
    if (error.operation() != FileOperation::Open) {
        // The file was opened: say what failed afterwards, not that it could not be opened.
        return FileErrorText(error, language);
    }
    return (fileName == kOpportunityFileName ? CannotOpenOpportunityFileText(language)
                                             : CannotOpenCompanyFileText(language)) +
           "\n" + error.what();
}

void ExitWith(int code)
{
    std::fflush(stdout);
    throw CLI::RuntimeError(code);
}

} // namespace dorvanta::cli
