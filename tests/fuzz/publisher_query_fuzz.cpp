// The query strings the publisher's server reads from anyone: parsed without
// a fault, and a day that is read back writes as it was sent.
#include "publisher/days.h"
#include "publisher/query.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace dorvanta::publisher;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto query = ParseQuery(text)) {
        for (const auto& [name, value] : *query) {
            if (const auto day = ParseDay(value)) {
                if (FormatDay(*day) != value || AddDays(AddDays(*day, 1), -1) != *day) {
                    __builtin_trap();
                }
            }
        }
    }
    return 0;
}
