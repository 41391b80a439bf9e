// One line of an ads answer: 13 fields, none holding a backtick, together
// never longer than the line.
#include "import/record_import.h"

#include <cstdlib>

using namespace dorvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    std::size_t total = 0;
    for (const std::string& field : SplitOpportunityLine(line)) {
        if (field.find('`') != std::string::npos) {
            std::abort();
        }
        total += field.size();
    }
    if (total > line.size()) {
        std::abort();
    }
    return 0;
}
