#pragma once

#include <string>
#include <string_view>

namespace dorvanta {

// How the HTTP client takes an answer's Content-Encoding. The requests ask
// for no compression, but a server may compress all the same.
struct ContentCoding
{
    bool compressed = false; // gzip or deflate: decoded on arrival
    std::string unreadable;  // the first coding the program cannot decode; empty when none
};

// `value`: the header's value, a comma-separated list of codings in the order
// they were applied. gzip (and its old name x-gzip) and deflate are decoded,
// identity is nothing; names are compared without regard to case.
ContentCoding ClassifyContentEncoding(std::string_view value);

// When `line` is a Content-Encoding header line ("Content-Encoding: gzip\r\n"),
// its value without surrounding blanks; otherwise false.
bool ContentEncodingValue(std::string_view line, std::string_view& value);

} // namespace dorvanta
