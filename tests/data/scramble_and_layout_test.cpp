#include "data/company_record.h"
#include "data/opportunity_record.h"
#include "data/record_layout.h"
#include "data/scramble.h"

#include <gtest/gtest.h>

namespace dorvanta {
namespace {

TEST(ScrambleField, IsItsOwnInverseForEveryFieldLength)
{
    for (std::size_t length = 0; length <= 255; ++length) {
        std::string text(length, '\0');
        for (std::size_t i = 0; i < length; ++i) {
            text[i] = static_cast<char>((i * 37 + length) & 0xFF);
        }
        const std::string scrambled = ScrambleField(text);
        ASSERT_EQ(scrambled.size(), length);
        EXPECT_EQ(ScrambleField(scrambled), text) << "length " << length;
        if (length > 0) {
            EXPECT_NE(scrambled, text);
        }
    }
}

TEST(ScrambleField, UsesBothKeysByOneBasedPosition)
{
    // Position 1 takes key5[1] and key4[1]; position 5 takes key5[0] and key4[1]; position 4 key5[4],
    // key4[0].
    const std::string zeros(20, '\0');
    const std::string mask = ScrambleField(zeros);
    EXPECT_EQ(static_cast<std::uint8_t>(mask[0]), 0x1D ^ 0xC8);
    EXPECT_EQ(static_cast<std::uint8_t>(mask[3]), 0xA7 ^ 0x35);
    EXPECT_EQ(static_cast<std::uint8_t>(mask[4]), 0x4B ^ 0xC8);
    EXPECT_EQ(ScrambleField(""), "");
    // The fast in-place form agrees with the reference one.
    std::string bytes = "COMPANIA DE TEST SRL";
    ScrambleBytes(bytes.data(), bytes.size());
    EXPECT_EQ(bytes, ScrambleField("COMPANIA DE TEST SRL"));
}

TEST(RecordLayout, FieldsAreStoredScrambledWithAPlainLengthByte)
{
    CompanyRecord record;
    record.Company = "ABC";
    record.County = "CJ";
    const CompanyRecord::Raw raw = record.Encode();
    EXPECT_EQ(raw[0], 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&raw[1]), 3), ScrambleField("ABC"));
    EXPECT_EQ(raw[81], 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&raw[82]), 2), ScrambleField("CJ"));

    // An empty view may hold no pointer at all (the sanitizer build stops on
    // one passed to memcpy); the field is cleared all the same.
    CompanyRecord::Raw cleared = raw;
    WriteField(cleared.data(), company_layout::kFields[company_layout::Company], std::string_view{});
    EXPECT_EQ(CompanyRecord::Decode(cleared.data()).Company, "");
    EXPECT_EQ(cleared[1], 0);
}

TEST(RecordLayout, CompanyRecordRoundTripsAndCutsAtTheFieldMaximum)
{
    CompanyRecord record;
    for (std::size_t i = 0; i < company_layout::FieldCount; ++i) {
        record.Field(i) = std::string(company_layout::kFields[i].maxLength, static_cast<char>('a' + i));
    }
    EXPECT_EQ(CompanyRecord::Decode(record.Encode().data()), record);

    record.Company = std::string(81, 'X');
    const CompanyRecord decoded = CompanyRecord::Decode(record.Encode().data());
    EXPECT_EQ(decoded.Company, std::string(80, 'X'));
    EXPECT_EQ(decoded.County, record.County);
}

TEST(RecordLayout, OpportunityDescriptionKeeps255AndCuts256)
{
    OpportunityRecord record;
    record.Description = std::string(255, 'd');
    record.Web = "www.example.ro";
    EXPECT_EQ(OpportunityRecord::Decode(record.Encode().data()), record);
    record.Description = std::string(256, 'd');
    EXPECT_EQ(OpportunityRecord::Decode(record.Encode().data()).Description, std::string(255, 'd'));
}

TEST(RecordLayout, DamagedLengthByteIsClampedToTheField)
{
    CompanyRecord record;
    record.Company = "FIRMA";
    record.County = "B";
    CompanyRecord::Raw raw = record.Encode();
    raw[0] = 250;  // more than the 80 characters the name can hold
    raw[81] = 255; // more than the 2 of the county
    const CompanyRecord decoded = CompanyRecord::Decode(raw.data());
    EXPECT_EQ(decoded.Company.size(), 80u);
    EXPECT_EQ(decoded.Company.substr(0, 5), "FIRMA");
    EXPECT_EQ(decoded.County.size(), 2u);
    EXPECT_EQ(decoded.County[0], 'B');
}

TEST(ActivityEntry, PartsOfAnEntryWithAndWithoutStar)
{
    EXPECT_EQ(ActivityCategoryCode("a.c.21*s"), "a.c.21");
    EXPECT_EQ(ActivityTypeLetter("a.c.21*s"), 's');
    EXPECT_EQ(ActivityGroupLetter("a.c.21*s"), 'a');
    EXPECT_EQ(ActivityCategoryCode("a.c.21s"), "");
    EXPECT_EQ(ActivityTypeLetter("a.c.21s"), 's');
    EXPECT_EQ(ActivityGroupLetter("a.c.21s"), 'a');
    EXPECT_EQ(ActivityTypeLetter(""), '\0');
}

} // namespace
} // namespace dorvanta
