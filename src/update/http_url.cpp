#include "update/http_client.h"

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

} // namespace

std::string EscapeRequestUrl(std::string_view url)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(url.size());
    for (std::size_t i = 0; i < url.size(); ++i) {
        const auto c = static_cast<unsigned char>(url[i]);
        const bool strayPercent =
            c == '%' && !(i + 2 < url.size() && IsHexDigit(url[i + 1]) && IsHexDigit(url[i + 2]));
        if (MustEscape(c) || strayPercent) {
            escaped += '%';
            escaped += kHex[c >> 4];
            escaped += kHex[c & 0x0F];
        } else {
            escaped += static_cast<char>(c);
        }
    }
    return escaped;
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
