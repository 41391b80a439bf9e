#include "import/register_address.h"

#include <gtest/gtest.h>

namespace dorvanta {
namespace {

TEST(RegisterAddress, TheShortFormWithEmptyPartsLeftOut)
{
    RegisterAddressParts parts{
        "Str. Lipscani", "10", "A1", "2", "3", "14", "Bucure\xC8\x99ti Sectorul 1", "1", "030031"};
    EXPECT_EQ(RegisterAddress(parts),
              "Str. Lipscani nr. 10, bl. A1, sc. 2, et. 3, ap. 14, Bucure\xBAti Sectorul 1, 030031");

    // The sector is added when the locality lacks it; "-" says nothing.
    parts = {"Calea Victoriei", "Nr. 5", "-", "", "", "", "Bucure\xC8\x99ti", "3", ""};
    EXPECT_EQ(RegisterAddress(parts), "Calea Victoriei Nr. 5, Bucure\xBAti Sectorul 3");
    parts = {"", "", "", "", "", "", "Cluj-Napoca", "", "400001"};
    EXPECT_EQ(RegisterAddress(parts), "Cluj-Napoca, 400001");
}

TEST(RegisterAddress, CutAtAWordWithinTheField)
{
    const std::string street(72, 'x'); // the whole would end at byte 99
    const RegisterAddressParts parts{"Str. Lunga", "10", "", "", "", "", street, "", "123456"};
    const std::string address = RegisterAddress(parts);
    EXPECT_EQ(address, "Str. Lunga nr. 10");
}

} // namespace
} // namespace dorvanta
