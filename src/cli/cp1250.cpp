#include "cli/cp1250.h"

#include "data/windows1250.h"

namespace dorvanta::cli {

std::string Cp1250ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    AppendCp1250AsUtf8(out, text);
    return out;
}

void AppendCp1250AsUtf8(std::string& out, std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        // Runs of ASCII, most of every text, are the same bytes in UTF-8.
        std::size_t end = pos;
        while (end < text.size() && static_cast<unsigned char>(text[end]) < 0x80) {
            ++end;
        }
        out.append(text.data() + pos, end - pos);
        if (end < text.size()) {
            AppendUtf8(out, Windows1250ToUnicode(static_cast<unsigned char>(text[end])));
            ++end;
        }
        pos = end;
    }
}

std::optional<std::string> Utf8ToCp1250(std::string_view text)
{
    return Utf8ToWindows1250(text);
}

} // namespace dorvanta::cli
