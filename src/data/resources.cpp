#include "data/resources.h"

#include "data/text.h"

namespace dorvanta {

std::optional<std::string_view> FindResource(std::string_view name)
{
    const std::string wanted = ToUpperAZ(name);
    for (const EmbeddedResource& resource : EmbeddedResources()) {
        if (ToUpperAZ(resource.name) == wanted) {
            return resource.data;
        }
    }
    return std::nullopt;
}

std::vector<std::string> ResourceLines(std::string_view name)
{
    const auto data = FindResource(name);
    return data ? SplitLines(*data) : std::vector<std::string>{};
}

} // namespace dorvanta
