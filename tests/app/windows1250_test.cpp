#include "app/page_rewrite.h"
#include "app/windows1250.h"
#include "test_application.h"

#include <gtest/gtest.h>

#include <QStringDecoder>

#include <algorithm>
#include <string>
#include <vector>

namespace dorvanta {
namespace {

std::string AllBytes()
{
    std::string bytes;
    for (int byte = 1; byte < 256; ++byte) {
        bytes.push_back(static_cast<char>(byte));
    }
    return bytes;
}

TEST(Windows1250Test, OwnTableAgreesWithQtForEveryByte)
{
    QStringDecoder qt("windows-1250");
    if (!qt.isValid()) {
        GTEST_SKIP() << "this Qt has no Windows-1250 converter to compare with";
    }
    const std::string bytes = AllBytes();
    const QString expected = qt.decode(QByteArray::fromStdString(bytes));
    const QString table = Windows1250ToQStringByTable(bytes);
    ASSERT_EQ(table.size(), expected.size());
    for (qsizetype i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].unicode(), expected[i].unicode()) << "byte " << i + 1;
    }
}

// The five bytes the code page leaves undefined read as their C1 controls in
// the lists and in a local page that declares the code page, and come back.
TEST(Windows1250Test, TheUndefinedBytesReadAsTheirControlsAndComeBack)
{
    for (const unsigned char byte : {0x81, 0x83, 0x88, 0x90, 0x98}) {
        const std::string bytes(1, static_cast<char>(byte));
        const QString text = Windows1250ToQString(bytes);
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(text[0].unicode(), byte);
        EXPECT_EQ(QStringToWindows1250(text), bytes);
        const QString page = DecodeFile(QByteArray("<html><head><meta charset=windows-1250></head><body>") +
                                        char(byte) + "</body></html>");
        EXPECT_TRUE(page.contains(QChar(byte))) << int(byte);
    }
}

TEST(Windows1250Test, RomanianLettersBothWays)
{
    EXPECT_EQ(Windows1250ToQString("Bucure\xBAti \xE3\xE2\xEE\xFE \xC3\xC2\xCE\xAA\xDE"),
              QStringLiteral(u"Bucureşti ăâîţ ĂÂÎŞŢ"));
    const std::string bytes = AllBytes();
    EXPECT_EQ(QStringToWindows1250(Windows1250ToQString(bytes)), bytes);
    // The comma-below letters of Romanian keyboards become the code page's
    // cedilla letters; what the code page cannot hold becomes one "?" each.
    EXPECT_EQ(QStringToWindows1250(QStringLiteral(u"ȘșȚț")), "\xAA\xBA\xDE\xFE");
    EXPECT_EQ(QStringToWindows1250(QStringLiteral(u"a中b😀c")), "a?b?c");
    EXPECT_EQ(QStringToWindows1250(QString()), "");
}

TEST(Windows1250Test, NamesSortInTheRomanianAlphabet)
{
    // Shuffled; the order wanted, whatever the case: A Ă Â B ... I Î J ... S Ş T Ţ U ... Z.
    std::vector<std::string> names = {"Zeta",
                                      "\xDE"
                                      "ara",
                                      "tara",
                                      "\xAA"
                                      "coala",
                                      "Sfinx",
                                      "\xCEnalt",
                                      "Ion",
                                      "\xC2ndru",
                                      "\xE3la",
                                      "Alba",
                                      "beta",
                                      "Tudor",
                                      "Uzina",
                                      "1 Mai",
                                      "alba 2"};
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return RomanianSortKey(a) < RomanianSortKey(b);
    });
    EXPECT_EQ(names, (std::vector<std::string>{"1 Mai", "Alba", "alba 2", "\xE3la", "\xC2ndru", "beta", "Ion",
                                               "\xCEnalt", "Sfinx",
                                               "\xAA"
                                               "coala",
                                               "tara", "Tudor",
                                               "\xDE"
                                               "ara",
                                               "Uzina", "Zeta"}));
}

} // namespace
} // namespace dorvanta
