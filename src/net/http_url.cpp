#include "net/http_client.h"

#include <cstdlib>

namespace dorvanta {
namespace {

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool MustEscape(unsigned char c)
{
    if (c <= 0x20 || c >= 0x7F) {
        return true;
    }
    switch (c) {
    case '"':
    case '<':
    case '>':
    case '\\':
    case '^':
    case '`':
    case '{':
    case '|':
    case '}':
        return true;
    default:
        return false;
    }
}

// `text` with every byte at an index for which `encode(text, index)` holds
// written as "%XX".
template <typename Encode> std::string PercentEncodeWhere(std::string_view text, Encode encode)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (encode(text, i)) {
            const auto c = static_cast<unsigned char>(text[i]);
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 0x0F];
        } else {
            encoded += text[i];
        }
    }
    return encoded;
}

} // namespace

std::string EscapeRequestUrl(std::string_view url)
{
    return PercentEncodeWhere(url, [](std::string_view text, std::size_t i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool strayPercent =
            c == '%' && !(i + 2 < text.size() && IsHexDigit(text[i + 1]) && IsHexDigit(text[i + 2]));
        return MustEscape(c) || strayPercent;
    });
}

std::string ServerBaseAddress(const std::string& override)
{
    std::string address = override;
    if (address.empty()) {
        const char* fromEnvironment = std::getenv("DORVANTA_SERVER");
        address = fromEnvironment && *fromEnvironment ? fromEnvironment : kDefaultServer;
    }
    while (!address.empty() && address.back() == '/') {
        address.pop_back();
    }
    return address;
}

} // namespace dorvanta
