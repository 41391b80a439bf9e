// A manifest as a server may send it, taken apart as the refresh does. A name
// found safe must be a plain file name: it is written inside Internet/.
#include "data/text.h"
#include "update/manifest.h"

#include <cstdlib>
#include <filesystem>

using namespace dorvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const std::string& line : SplitLines(text)) {
        const std::optional<ManifestEntry> entry = ParseManifestLine(line);
        if (!entry) {
            continue;
        }
        ParseVersion(entry->version);
        if (IsSafeFileName(entry->name)) {
            const std::filesystem::path path(entry->name);
            if (path.has_parent_path() || path.filename() != path ||
                entry->name.find('\\') != std::string::npos || entry->name.find(':') != std::string::npos ||
                entry->name.find("..") != std::string::npos) {
                std::abort();
            }
        }
    }
    return 0;
}
