#include "import/register_activity.h"

namespace dorvanta {

RegisterActivityTable::RegisterActivityTable(std::string_view) {}

const RegisterActivityTable& RegisterActivityTable::Builtin()
{
    static const RegisterActivityTable table;
    return table;
}

std::string RegisterActivityTable::EntryOf(int, std::string_view) const
{
    return {};
}

const std::unordered_map<std::string, RegisterActivityTable::Target>& RegisterActivityTable::Keys(int edition) const
{
    return edition == 3 ? rev3_ : rev2_;
}

} // namespace dorvanta
