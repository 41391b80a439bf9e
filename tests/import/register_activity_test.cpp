#include "import/register_activity.h"

#include "data/category_table.h"
#include "data/text.h"

#include <gtest/gtest.h>

#include <set>

namespace dorvanta {
namespace {

TEST(RegisterActivity, TheTableCoversEveryRev2DivisionAndGroupWithExistingCategories)
{
    const RegisterActivityTable& table = RegisterActivityTable::Builtin();
    std::set<std::string> codes;
    for (const CategoryRow& row : CategoryTable::Builtin().rows()) {
        codes.insert(ToUpperAZ(row.code));
    }
    std::size_t divisions = 0;
    std::size_t groups = 0;
    for (const int edition : {2, 3}) {
        for (const auto& [key, target] : table.Keys(edition)) {
            if (!target.category.empty()) {
                EXPECT_TRUE(codes.count(ToUpperAZ(target.category))) << edition << "," << key;
                EXPECT_LE(target.entry.size(), 8u) << target.entry;
            }
            if (edition == 2) {
                divisions += key.size() == 2;
                groups += key.size() == 3;
            }
        }
    }
    // CAEN Rev.2, as NACE Rev.2: 88 divisions of 272 groups.
    EXPECT_EQ(divisions, 88u);
    EXPECT_EQ(groups, 272u);
    std::size_t rev3Divisions = 0;
    for (const auto& entry : table.Keys(3)) {
        rev3Divisions += entry.first.size() == 2;
    }
    EXPECT_EQ(rev3Divisions, 87u); // NACE Rev.2.1 has no division 45
}

TEST(RegisterActivity, AClassTakesItsMostSpecificKeyAndTheTypeOfItsSection)
{
    const RegisterActivityTable& table = RegisterActivityTable::Builtin();
    EXPECT_EQ(table.EntryOf(2, "1102"), "b.c.23*p"); // class: wine
    EXPECT_EQ(table.EntryOf(2, "1013"), "b.b.10*p"); // group: meat
    EXPECT_EQ(table.EntryOf(2, "4711"), "e.a.3*t");
    EXPECT_EQ(table.EntryOf(2, "9412"), "j.b.24*o");
    EXPECT_EQ(table.EntryOf(2, "6201"), "f.a.2*s");
    EXPECT_EQ(table.EntryOf(2, "111"), "b.a.2*p");  // 0111 without its leading zero
    EXPECT_EQ(table.EntryOf(3, "4711"), "e.a.4*t"); // Rev.3 by division
    EXPECT_EQ(table.EntryOf(2, "9700"), "");        // households: no category
    EXPECT_EQ(table.EntryOf(1, "5211"), "");        // an older edition
    EXPECT_EQ(table.EntryOf(2, "47a1"), "");
}

TEST(RegisterActivity, LinesAreReadWithOptionalTypeAndComments)
{
    const RegisterActivityTable table("# comment\n2,47,e.A.4\r\n2,4719,e.A.1,i\n3,01,-\nbad line\n");
    EXPECT_EQ(table.EntryOf(2, "4711"), "e.a.4*t");
    EXPECT_EQ(table.EntryOf(2, "4719"), "e.a.1*i");
    EXPECT_EQ(table.EntryOf(3, "0111"), "");
    EXPECT_EQ(table.Keys(2).size(), 2u);
}

} // namespace
} // namespace dorvanta
