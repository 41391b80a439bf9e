#include "net/content_encoding.h"

#include "data/text.h"

namespace dorvanta {

namespace {

std::string_view TrimBlanks(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

ContentCoding ClassifyContentEncoding(std::string_view value)
{
    ContentCoding coding;
    while (!value.empty()) {
        const std::size_t comma = value.find(',');
        const std::string name = ToLowerAZ(TrimBlanks(value.substr(0, comma)));
        value = comma == std::string_view::npos ? std::string_view() : value.substr(comma + 1);
        if (name.empty() || name == "identity") {
            continue;
        }
        if (name == "gzip" || name == "x-gzip" || name == "deflate") {
            coding.compressed = true;
        } else if (coding.unreadable.empty()) {
            coding.unreadable = name;
        }
    }
    return coding;
}

bool ContentEncodingValue(std::string_view line, std::string_view& value)
{
    constexpr std::string_view kName = "content-encoding:";
    if (line.size() < kName.size() || ToLowerAZ(line.substr(0, kName.size())) != kName) {
        return false;
    }
    value = TrimBlanks(line.substr(kName.size()));
    return true;
}

} // namespace dorvanta
