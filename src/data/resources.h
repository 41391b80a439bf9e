#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvanta {

// A text resource compiled into the program (the category table and the domain lists).
struct EmbeddedResource
{
    std::string_view name;
    std::string_view data;
};

const std::vector<EmbeddedResource>& EmbeddedResources();

// The resource of that name, looked up without regard to case.
std::optional<std::string_view> FindResource(std::string_view name);

// The resource read as lines; empty when there is no such resource.
std::vector<std::string> ResourceLines(std::string_view name);

} // namespace dorvanta
