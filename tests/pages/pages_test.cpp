#include "data/category_table.h"
#include "data/company_record.h"
#include "data/opportunity_record.h"
#include "data/record_file.h"
#include "data/utf8_path.h"
#include "pages/pages.h"
#include "support/record_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace dorvanta {
namespace {

namespace fs = std::filesystem;

using TempFolder = test::TempDir;

using test::WriteRecordFile;

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// The page's pieces, written out here on their own so that the expected pages
// do not depend on the builder's constants.
const std::string F = R"(<font size="2" face="Verdana, Arial, Helvetica, sans-serif">)";
const std::string FC = "</font>";
const std::string L = "<font color=868686>";
const std::string CR = "\r";
const std::string BLANK = "<tr bgcolor=white><td>&nbsp;</td><td>&nbsp;</td></tr>";
const std::string TOP = "<tr bgcolor=EBEBEB><td width=15%><b>";
const std::string WIDE = "<tr bgcolor=F4F4F4><td width=15%><b>";
const std::string PLAIN = "<tr bgcolor=F4F4F4><td><b>";
const std::string MID = "</b></td><td width=75%><table width=100%><tr><td width=18><img src='";
const std::string MID_ACTIVITY = "</b></b></td><td width=75%><table width=100%><tr><td width=18><img src='";
const std::string CLOSE = "</td></tr></table></td></tr>";
const std::string CLOSE_TITLE = "</b></center></td></tr></table></td></tr>";
const std::string CLOSE_LINK = "</a></td></tr></table></td></tr>";
// Below the program's folder the pages use the platform's separator.
const std::string SEP(1, static_cast<char>(fs::path::preferred_separator));
const std::string ICONS = "/opt/dorvanta/icon" + SEP;

// The value cell of a Text row, found by its icon.
std::string ValueAfterIcon(const std::string& icon, const std::string& value)
{
    return ICONS + icon + ".gif' width=18 height=18></td><td>" + F + value + FC + CLOSE + CR;
}

CompanyRecord FullCompany()
{
    CompanyRecord record;
    record.Company = "ALFA TRADING SRL";
    record.County = "CJ";
    record.Address = "Str. Lunga 5, Cluj-Napoca";
    record.Representative = "Ion Pop";
    record.Mobile = "0722 111 222";
    record.Phone = "+40 264 123456";
    record.Fax = "(0264) 123457";
    record.Email = "office@alfa.ro";
    record.Web = "www.alfa.ro";
    record.Activity1 = "a.a.1*t";
    record.Activity2 = "e.a.1*i";
    record.Description = "Insurance & <b>trade</b>";
    return record;
}

CompanyRecord MinimalCompany()
{
    CompanyRecord record;
    record.Company = "BETA";
    record.County = "B";
    record.Address = "Calea Victoriei 1";
    return record;
}

std::string English(const CompanyRecord& record)
{
    return BuildCompanyPage(record, Language::EN, "/opt/dorvanta/", CategoryTable::Builtin());
}

OpportunityRecord FullAd()
{
    OpportunityRecord record;
    record.AdId = "4711";
    record.DomainLetter = "c";
    record.Company = "Delta SRL";
    record.County = "IS";
    record.Subject = "Vand canapea";
    record.InsertDate = "2004-03-15";
    record.Description = "Canapea <i>noua</i>, 3 locuri";
    record.AdType = "1";
    record.Representative = "Ana Ionescu";
    record.Phone = "0232 111 222";
    record.Fax = "0232 333";
    record.Email = "ana@delta.ro";
    record.Web = "http://delta.ro";
    return record;
}

std::string Page(const OpportunityRecord& record, Language language = Language::EN, int banner = 1)
{
    return BuildOpportunityPage(record, language, "/opt/dorvanta/", OpportunityDomainList(language), banner);
}

TEST(CompanyPage, WholeEnglishPageByteForByte)
{
    const std::string expected =
        std::string("<HTML><BODY>") +
        R"(<center><object classid="clsid:D27CDB6E-AE6D-11cf-96B8-444553540000" codebase=")" +
        "http://download.player.example/pub/shockwave/cabs/flash/swflash.cab#version=4,0,2,0" +
        R"(" width="472" height="70" name="www.dorvanta.ro">)" + R"(<param name="loop" value="false">)" +
        R"(<param name="movie" value="/opt/dorvanta/Internet)" + SEP + R"(Dorvanta.swf">)" +
        R"(<param name="quality" value="best"><param name="play" value="true">)" +
        R"(<embed type="application/x-shockwave-flash" width="472" height="70" )" +
        R"(movie="/opt/dorvanta/Internet)" + SEP +
        R"(Dorvanta.swf" quality="best" play="true" name="www.dorvanta.ro" )" +
        R"(loop="false"></object></center>)" +
        "<br><table width=100% border=0 cellSpacing=1 cellPadding=0 bgcolor=8C8C8C >" + CR +
        // Company
        TOP + F + L + "&nbsp;Company" + FC + FC + MID + ICONS +
        "company.gif' width=18 height=18></td><td><center><b>&nbsp;" + F + "ALFA TRADING SRL" + FC +
        CLOSE_TITLE + CR +
        // Activities
        BLANK + TOP + F + L + "&nbsp;Activity" + FC + FC + MID_ACTIVITY + ICONS +
        "1activity.gif' width=18 height=18></td><td>" + F +
        "<b>Trader</b> in <b>Insurance Companies</b> section of the <b><u>Business</u></b> domain." + FC +
        CLOSE + CR + WIDE + F + L + "&nbsp;Activity" + FC + FC + MID_ACTIVITY + ICONS +
        "2activity.gif' width=18 height=18></td><td>" + F +
        "<b>Importer/Exporter</b> in <b>Import&Export</b> section of the <b><u>Trade</u></b> domain." + FC +
        CLOSE + CR + BLANK +
        // Address, county, representative
        WIDE + F + L + "&nbsp;Postal&nbsp;address" + FC + FC + MID + ICONS +
        "postal.gif' width=18 height=18></td><td>" + F + "Str. Lunga 5, Cluj-Napoca" + FC + CLOSE + CR +
        PLAIN + F + L + "&nbsp;County" + FC + MID + ICONS + "county.gif' width=18 height=18></td><td>" + F +
        "Cluj" + FC + CLOSE + CR + PLAIN + F + L + "&nbsp;Representative" + FC + FC + MID + ICONS +
        "representative.gif' width=18 height=18></td><td>" + F + "Ion Pop" + FC + CLOSE + CR + BLANK +
        // Phones, links
        PLAIN + F + L + "&nbsp;Mobile&nbsp;phone" + FC + FC + MID + ICONS +
        "mobile.gif' width=18 height=18></td><td>" + F + "0722<br>111<br>222" + FC + CLOSE + CR + PLAIN + F +
        L + "&nbsp;Phone" + FC + FC + MID + ICONS + "phone.gif' width=18 height=18></td><td>" + F +
        "+ 40<br>264<br>123456" + FC + CLOSE + CR + PLAIN + F + L + "&nbsp;Fax" + FC + FC + MID + ICONS +
        "fax.gif' width=18 height=18></td><td>" + F + " (0264) <br>123457" + FC + CLOSE + CR + PLAIN + F + L +
        "&nbsp;Email" + FC + FC + MID + ICONS +
        "email.gif' width=18 height=18></td><td><a href=\"mailto:" + "office@alfa.ro\">" + F +
        "office@alfa.ro" + FC + CLOSE_LINK + CR + PLAIN + F + L + "&nbsp;Web&nbsp;page" + FC + FC + MID +
        ICONS + "web.gif' width=18 height=18></td><td><a href=\"" + "www.alfa.ro\" target=_blank>" + F +
        "www.alfa.ro" + FC + CLOSE_LINK + CR +
        // Description, end
        BLANK + PLAIN + F + L + "&nbsp;Description" + FC + FC + MID + ICONS +
        "story.gif' width=18 height=18></td><td>" + F + "Insurance & <b>trade</b>" + FC + CLOSE + CR +
        "</table></body></html>";

    EXPECT_EQ(English(FullCompany()), expected);
}

TEST(CompanyPage, OptionalRowsAndBlankRows)
{
    const std::string page = English(MinimalCompany());
    // No activities: no blank row before them, but the one after them stays.
    EXPECT_TRUE(
        Has(page, "BETA" + FC + CLOSE_TITLE + CR + BLANK + WIDE + F + L + "&nbsp;Postal&nbsp;address"));
    // County row, blank row 10, the end.
    EXPECT_TRUE(Has(page, "Bucuresti" + FC + CLOSE + CR + BLANK + "</table></body></html>"));
    EXPECT_EQ(Count(page, BLANK), 2u);
    EXPECT_EQ(Count(page, CR), 4u); // table opening, name, address, county
}

TEST(CompanyPage, ActivityRows)
{
    CompanyRecord record = MinimalCompany();
    // A second entry without a first: no blank row, opened wide, second icon.
    record.Activity2 = "g.c.29*p";
    std::string page = English(record);
    EXPECT_TRUE(
        Has(page, CLOSE_TITLE + CR + WIDE + F + L + "&nbsp;Activity" + FC + FC + MID_ACTIVITY + ICONS +
                      "2activity.gif' width=18 height=18></td><td>" + F +
                      "<b>Producer</b> in <b>Car Dealers</b> section of the <b><u>Auto</u></b> domain."));
    EXPECT_FALSE(Has(page, "1activity.gif"));
    EXPECT_EQ(Count(page, BLANK), 2u);

    // An unknown letter keeps the word of the row before; on the first row the word is empty.
    record.Activity1 = "a.a.1*t";
    record.Activity2 = "a.a.2*x";
    record.Activity3 = "a.a.3*X";
    record.Activity4 = "a.a.1*H";
    page = English(record);
    EXPECT_EQ(Count(page, "<b>Trader</b> in"), 3u);
    EXPECT_TRUE(Has(page, "<b>Office</b> in <b>Insurance Companies</b>"));
    EXPECT_EQ(Count(page, "2activity.gif"), 3u);

    record = MinimalCompany();
    record.Activity1 = "a.a.1*x";
    EXPECT_TRUE(Has(English(record), "<b></b> in <b>Insurance Companies</b>"));

    // A code in no row of the table: the entry cut at "*", dots as spaces, no domain.
    record.Activity1 = "z.q.77*t";
    EXPECT_TRUE(Has(English(record), "<b>Trader</b> in <b>z q 77</b> section of the <b><u></u></b> domain."));
}

TEST(CompanyPage, RomanianLabelsAndSentence)
{
    const std::string page =
        BuildCompanyPage(FullCompany(), Language::RO, "/opt/dorvanta/", CategoryTable::Builtin());
    EXPECT_TRUE(Has(page, L + "&nbsp;Activitate" + FC + FC + MID_ACTIVITY + ICONS +
                              "1activity.gif' width=18 height=18></td><td>" + F +
                              "<b>Comerciant</b> in sectiunea <b>Asigurari&Reasigurari</b> din domeniul "
                              "<b><u>Afaceri</u></b> ." +
                              FC));
    EXPECT_TRUE(Has(page, "<b>Importator/Exportator</b> in sectiunea <b>Import&Export</b>"));
    for (const char* label :
         {"&nbsp;Companie", "&nbsp;Adresa&nbsp;postala", "&nbsp;Reprezentant", "&nbsp;Telefon&nbsp;mobil",
          "&nbsp;Telefon", "&nbsp;Fax", "&nbsp;Email", "&nbsp;Pagina&nbsp;web", "&nbsp;Descriere"}) {
        EXPECT_TRUE(Has(page, L + label + FC + FC + MID)) << label;
    }
    EXPECT_TRUE(Has(page, L + "&nbsp;Judet" + FC + MID));
    for (const char* english : {"Company", "Postal", "County", "Mobile", "Web&nbsp;page", "section of"}) {
        EXPECT_FALSE(Has(page, english)) << english;
    }
}

TEST(CompanyPage, FieldValues)
{
    CompanyRecord record = MinimalCompany();
    record.County = "XY";
    record.Web = "example.ro/a?b=1&c=\"2\"";
    record.Phone = "+40(21)555 1";
    const std::string page = English(record);
    // Unknown county code shown as stored; the County label has no FontClose of its own.
    EXPECT_TRUE(Has(page, PLAIN + F + L + "&nbsp;County" + FC + MID + ValueAfterIcon("county", "XY")));
    // No scheme added, no escaping.
    EXPECT_TRUE(Has(page, "<a href=\"example.ro/a?b=1&c=\"2\"\" target=_blank>" + F +
                              "example.ro/a?b=1&c=\"2\"" + FC + CLOSE_LINK));
    EXPECT_TRUE(Has(page, ValueAfterIcon("phone", "+ 40 (21) 555<br>1")));
}

TEST(CompanyPage, ReadsOneRecordOfTheFile)
{
    TempFolder folder;
    const CategoryTable& table = CategoryTable::Builtin();
    EXPECT_THROW(CompanyPage(folder.path(), 0, Language::EN, table), FileError);
    EXPECT_THROW(CompanyPage(folder.path(), -1, Language::EN, table), FileError);

    CompanyRecord second = FullCompany();
    second.Company = "GAMMA";
    // The name is found without regard to case.
    const fs::path file = folder.path() / "Database.db";
    WriteRecordFile(file, std::vector{MinimalCompany(), second, FullCompany()});
    const std::string programFolder = Utf8FromPath(folder.path()) + SEP;
    EXPECT_EQ(CompanyPage(folder.path(), 0, Language::EN, table),
              BuildCompanyPage(MinimalCompany(), Language::EN, programFolder, table));
    EXPECT_EQ(CompanyPage(folder.path(), 1, Language::RO, table),
              BuildCompanyPage(second, Language::RO, programFolder, table));
    EXPECT_TRUE(Has(CompanyPage(folder.path(), 2, Language::EN, table).value(),
                    programFolder + "icon" + SEP + "company.gif"));
    EXPECT_EQ(CompanyPage(folder.path(), 3, Language::EN, table), std::nullopt);
    EXPECT_EQ(CompanyPage(folder.path(), -1, Language::EN, table), std::nullopt);

    // A trailing partial record is no record.
    std::ofstream(file, std::ios::binary | std::ios::app) << std::string(100, 'x');
    EXPECT_EQ(CompanyPage(folder.path(), 3, Language::EN, table), std::nullopt);

    fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_THROW(CompanyPage(folder.path(), 0, Language::EN, table), FileError);
}

TEST(CompanyPage, LastOfAMillionRecordsIsReadDirectly)
{
    TempFolder folder;
    constexpr std::int64_t kRecords = 1'000'000;
    const fs::path file = folder.path() / "database.db";
    {
        // Sparse: only the last record takes room on disk.
        std::ofstream out(file, std::ios::binary);
        out.seekp(static_cast<std::streamoff>((kRecords - 1) * 766));
        const CompanyRecord::Raw raw = FullCompany().Encode();
        out.write(reinterpret_cast<const char*>(raw.data()), static_cast<std::streamsize>(raw.size()));
    }
    ASSERT_EQ(fs::file_size(file), static_cast<std::uintmax_t>(kRecords * 766));

    const std::optional<std::string> page =
        CompanyPage(folder.path(), kRecords - 1, Language::EN, CategoryTable::Builtin());
    ASSERT_TRUE(page.has_value());
    EXPECT_TRUE(Has(*page, "ALFA TRADING SRL"));
}

TEST(OpportunityPage, WholeEnglishPageByteForByte)
{
    const std::string expected =
        std::string("<HTML><BODY>") +
        R"(<center><object classid="clsid:D27CDB6E-AE6D-11cf-96B8-444553540000" codebase=")" +
        "http://download.player.example/pub/shockwave/cabs/flash/swflash.cab#version=4,0,2,0" +
        R"(" width="472" height="70" name="www.dorvanta.ro">)" + R"(<param name="loop" value="default">)" +
        R"(<param name="movie" value="/opt/dorvanta/Internet)" + SEP + R"(c2.swf">)" +
        R"(<param name="quality" value="best"><param name="play" value="true">)" +
        R"(<embed type="application/x-shockwave-flash" width="472" height="70" )" +
        R"(movie="/opt/dorvanta/Internet)" + SEP +
        R"(c2.swf" quality="best" play="true" name="www.dorvanta.ro" )" +
        R"(loop="default"></object></center>)" +
        "<br><table width=100% border=0 cellSpacing=1 cellPadding=0 bgcolor=8C8C8C >" + CR +
        // Subject, type
        TOP + F + L + "&nbsp;Subject" + FC + FC + MID + ICONS +
        "subject.gif' width=18 height=18></td><td><center><b>" + F + "Vand canapea" + FC + CLOSE_TITLE + CR +
        WIDE + F + L + "&nbsp;Type" + FC + FC + MID + ICONS + "category.gif' width=18 height=18></td><td>" +
        F + "Offer" + FC + CLOSE + CR + BLANK +
        // Description
        TOP + F + L + "&nbsp;Description" + FC + FC + MID + ICONS +
        "story.gif' width=18 height=18></td><td>" + F + "Canapea <i>noua</i>, 3 locuri" + FC + CLOSE + CR +
        BLANK +
        // Date, category, county
        WIDE + F + L + "&nbsp;Insert on" + FC + FC + MID + ICONS +
        "insert.gif' width=18 height=18></td><td>" + F + "2004-03-15" + FC + CLOSE + CR + WIDE + F + L +
        "&nbsp;Category" + FC + FC + MID + ICONS + "1activity.gif' width=18 height=18></td><td>" + F +
        "Household Recreation Sport Tourism" + FC + CLOSE + CR + PLAIN + F + L + "&nbsp;County" + FC + FC +
        MID + ICONS + "county.gif' width=18 height=18></td><td>" + F + "Iasi" + FC + CLOSE + CR + BLANK +
        // Contact
        PLAIN + F + L + "&nbsp;Representative" + FC + FC + MID + ICONS +
        "representative.gif' width=18 height=18></td><td>" + F + "Ana Ionescu" + FC + CLOSE + CR + PLAIN + F +
        L + "&nbsp;Company" + FC + FC + MID + ICONS + "company.gif' width=18 height=18></td><td>" + F +
        "Delta SRL" + FC + CLOSE + CR + PLAIN + F + L + "&nbsp;Phone" + FC + FC + MID + ICONS +
        "phone.gif' width=18 height=18></td><td>" + F + "0232 111 222" + FC + CLOSE + CR + PLAIN + F + L +
        "&nbsp;Fax" + FC + FC + MID + ICONS + "fax.gif' width=18 height=18></td><td>" + F + "0232 333" + FC +
        CLOSE + CR + PLAIN + F + L + "&nbsp;Email" + FC + FC + MID + ICONS +
        "email.gif' width=18 height=18></td><td><a href=\"mailto:" +
        "ana@delta.ro?subject=Your ad from Dorvanta\">" + F + "ana@delta.ro" + FC + CLOSE_LINK + CR + PLAIN +
        F + L + "&nbsp;Web&nbsp;page" + FC + FC + MID + ICONS +
        "web.gif' width=18 height=18></td><td><a href=\"" + "http://delta.ro\" target=_blank>" + F +
        "http://delta.ro" + FC + CLOSE_LINK + CR + "</body></html>";

    EXPECT_EQ(Page(FullAd(), Language::EN, 2), expected);
}

TEST(OpportunityPage, RomanianPage)
{
    OpportunityRecord record = FullAd();
    record.AdType = "2";
    const std::string page = Page(record, Language::RO);
    EXPECT_TRUE(Has(page, ValueAfterIcon("category", "Cerere")));
    EXPECT_TRUE(Has(page, ValueAfterIcon("1activity", "Casa Recreere Sport Turism")));
    EXPECT_TRUE(Has(page, "<a href=\"mailto:ana@delta.ro?subject=Anuntul dvs din Dorvanta\">"));
    for (const char* label : {"&nbsp;Subiect", "&nbsp;Tip", "&nbsp;Descriere", "&nbsp;Data introducerii",
                              "&nbsp;Categoria", "&nbsp;Judet", "&nbsp;Reprezentant", "&nbsp;Companie",
                              "&nbsp;Telefon", "&nbsp;Fax", "&nbsp;Email", "&nbsp;Pagina&nbsp;web"}) {
        EXPECT_TRUE(Has(page, L + label + FC + FC + MID)) << label;
    }
    EXPECT_FALSE(Has(page, "Your ad"));
}

TEST(OpportunityPage, TypeWordsAndUnchangedValues)
{
    OpportunityRecord record = FullAd();
    record.AdType = "3";
    EXPECT_TRUE(Has(Page(record), ValueAfterIcon("category", "Service")));
    record.AdType = "4";
    EXPECT_TRUE(Has(Page(record, Language::RO), ValueAfterIcon("category", "4")));

    record.County = "QQ";
    record.Phone = "+40 (232) 111";
    const std::string page = Page(record);
    EXPECT_TRUE(Has(page, ValueAfterIcon("county", "QQ")));
    EXPECT_TRUE(Has(page, ValueAfterIcon("phone", "+40 (232) 111")));
}

TEST(OpportunityPage, GroupNameAndBannerFile)
{
    const auto movie = [](const std::string& file) {
        return "value=\"/opt/dorvanta/Internet" + SEP + file + "\">";
    };
    OpportunityRecord record = FullAd();
    record.DomainLetter = "j";
    std::string page = Page(record, Language::EN, 3);
    EXPECT_TRUE(Has(page, ValueAfterIcon("1activity", "Culture Institutions Education Health")));
    EXPECT_TRUE(Has(page, movie("j3.swf")));
    EXPECT_TRUE(Has(page, "movie=\"/opt/dorvanta/Internet" + SEP + "j3.swf\""));

    // No letter: no group and a banner named by its number alone.
    record.DomainLetter.clear();
    page = Page(record, Language::EN, 1);
    EXPECT_TRUE(Has(page, ValueAfterIcon("1activity", "")));
    EXPECT_TRUE(Has(page, movie("1.swf")));

    // Positions outside the list show the field itself: upper case, past j, bytes above 127.
    for (const std::string letter : {"C", "k", "\xE2"}) {
        record.DomainLetter = letter;
        page = Page(record, Language::EN, 2);
        EXPECT_TRUE(Has(page, ValueAfterIcon("1activity", letter))) << letter;
        EXPECT_TRUE(Has(page, movie(letter + "2.swf"))) << letter;
    }
    record.DomainLetter = "a";
    EXPECT_TRUE(Has(BuildOpportunityPage(record, Language::EN, "/opt/dorvanta/", {}, 1),
                    ValueAfterIcon("1activity", "a")));
}

TEST(OpportunityPage, RowsOfEmptyFields)
{
    const std::string page = Page(OpportunityRecord{});
    EXPECT_TRUE(Has(page, ICONS + "subject.gif"));
    for (const char* icon :
         {"category", "story", "insert", "1activity", "county", "representative", "company"}) {
        EXPECT_TRUE(Has(page, ValueAfterIcon(icon, ""))) << icon;
    }
    for (const char* absent : {"phone.gif", "fax.gif", "mailto:", "web.gif"}) {
        EXPECT_FALSE(Has(page, absent)) << absent;
    }
    const std::string ending = ValueAfterIcon("company", "") + "</body></html>";
    ASSERT_GE(page.size(), ending.size());
    EXPECT_EQ(page.substr(page.size() - ending.size()), ending);
}

TEST(OpportunityPage, ReadsOneRecordOfTheFile)
{
    TempFolder folder;
    BannerNumbers banners(7);
    BannerNumbers same(7);
    const std::vector<std::string> domains = OpportunityDomainList(Language::EN);
    EXPECT_THROW(OpportunityPage(folder.path(), 0, Language::EN, domains, banners), FileError);

    OpportunityRecord second = FullAd();
    second.Subject = "Caut garsoniera";
    second.DomainLetter = "g";
    const fs::path file = folder.path() / "BURSA.DB";
    WriteRecordFile(file, std::vector{FullAd(), second});
    const std::string programFolder = Utf8FromPath(folder.path()) + SEP;

    // Past the end or negative: the empty text, and no number drawn.
    EXPECT_EQ(OpportunityPage(folder.path(), 2, Language::EN, domains, banners), "");
    EXPECT_EQ(OpportunityPage(folder.path(), -1, Language::EN, domains, banners), "");
    EXPECT_EQ(OpportunityPage(folder.path(), 1, Language::EN, domains, banners),
              BuildOpportunityPage(second, Language::EN, programFolder, domains, same.Next()));
    EXPECT_EQ(OpportunityPage(folder.path(), 0, Language::RO, domains, banners),
              BuildOpportunityPage(FullAd(), Language::RO, programFolder, domains, same.Next()));

    fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_THROW(OpportunityPage(folder.path(), 0, Language::EN, domains, banners), FileError);
}

TEST(BannerNumbers, SameSuccessionForTheSameSeed)
{
    BannerNumbers first(12345);
    BannerNumbers second(12345);
    std::set<int> seen;
    for (int i = 0; i < 1000; ++i) {
        const int number = first.Next();
        ASSERT_TRUE(number >= 1 && number <= 3) << number;
        ASSERT_EQ(second.Next(), number);
        seen.insert(number);
    }
    EXPECT_EQ(seen.size(), 3u);

    // Every run of the program, on every platform, starts with the same banners.
    BannerNumbers program;
    std::vector<int> start;
    for (int i = 0; i < 12; ++i) {
        start.push_back(program.Next());
    }
    EXPECT_EQ(start, (std::vector<int>{3, 3, 3, 2, 2, 3, 1, 2, 1, 1, 2, 3}));
}

TEST(OpportunityDomainList, AllThenTheTenGroups)
{
    const std::vector<std::string> english = OpportunityDomainList(Language::EN);
    ASSERT_EQ(english.size(), 11u);
    EXPECT_EQ(english[0], "All");
    EXPECT_EQ(english[10], "Culture Institutions Education Health");
    const std::vector<std::string> romanian = OpportunityDomainList(Language::RO);
    ASSERT_EQ(romanian.size(), 11u);
    EXPECT_EQ(romanian[0], "All");
    EXPECT_EQ(romanian[1], "Afaceri Media Publicitate");
}

TEST(ProgramFolderText, ExactlyOneTrailingSeparator)
{
    EXPECT_EQ(ProgramFolderText("/opt/dorvanta"), "/opt/dorvanta" + SEP);
    EXPECT_EQ(ProgramFolderText("/opt/dorvanta///"), "/opt/dorvanta" + SEP);
    EXPECT_EQ(ProgramFolderText("/"), SEP);
    EXPECT_EQ(ProgramFolderText(""), "." + SEP);
    // Letters beyond ASCII stay UTF-8 text whatever the system's code page.
    EXPECT_EQ(ProgramFolderText(PathFromUtf8("/opt/Bucure\xc8\x99ti")), "/opt/Bucure\xc8\x99ti" + SEP);
}

} // namespace
} // namespace dorvanta
