#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace dorvanta::publisher {

// The parameters of a query string, percent-decoded. "+" stays a "+" (the
// clients send identifiers as they are and write a space as "%20").
// Nothing for a malformed query: a bad escape, an empty or repeated name, a
// name without "=".
std::optional<std::map<std::string, std::string>> ParseQuery(std::string_view query);

} // namespace dorvanta::publisher
