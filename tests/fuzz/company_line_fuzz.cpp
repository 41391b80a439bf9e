// One line of a company answer. A valid line has 14 fields, each a piece of
// the line without its backtick.
#include "import/record_import.h"

#include <cstdlib>
#include <functional>

using namespace dorvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const CompanyLine parsed = ParseCompanyLine(line);
    if (!parsed.valid) {
        return 0;
    }
    const std::less_equal<const char*> notAfter;
    for (const std::string_view field : parsed.fields) {
        if (field.find('`') != std::string_view::npos ||
            (!field.empty() && (!notAfter(line.data(), field.data()) ||
                                !notAfter(field.data() + field.size(), line.data() + line.size())))) {
            std::abort();
        }
    }
    return 0;
}
