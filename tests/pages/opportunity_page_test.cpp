#include "data/opportunity_record.h"
#include "data/record_file.h"
#include "pages/pages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace dorvanta {
namespace {

namespace fs = std::filesystem;

class TempFolder
{
public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "opportunity-page-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        path_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void WriteOpportunities(const fs::path& file, const std::vector<OpportunityRecord>& records)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const OpportunityRecord& record : records) {
        const OpportunityRecord::Raw raw = record.Encode();
        out.write(reinterpret_cast<const char*>(raw.data()), static_cast<std::streamsize>(raw.size()));
    }
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
const std::string CLOSE = "</td></tr></table></td></tr>";
const std::string CLOSE_TITLE = "</b></center></td></tr></table></td></tr>";
const std::string CLOSE_LINK = "</a></td></tr></table></td></tr>";
const std::string ICONS = "/opt/dorvanta/icon/";

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

// The value cell of a row, found by its icon.
std::string ValueAfterIcon(const std::string& icon, const std::string& value)
{
    return ICONS + icon + ".gif' width=18 height=18></td><td>" + F + value + FC + CLOSE + CR;
}

TEST(OpportunityPage, WholeEnglishPageByteForByte)
{
    const std::string expected =
        std::string("<HTML><BODY>") +
        R"(<center><object classid="clsid:D27CDB6E-AE6D-11cf-96B8-444553540000" codebase=")" +
        "http://download.player.example/pub/shockwave/cabs/flash/swflash.cab#version=4,0,2,0" +
        R"(" width="472" height="70" name="www.dorvanta.ro">)" + R"(<param name="loop" value="default">)" +
        R"(<param name="movie" value="/opt/dorvanta/Internet/c2.swf">)" +
        R"(<param name="quality" value="best"><param name="play" value="true">)" +
        R"(<embed type="application/x-shockwave-flash" width="472" height="70" )" +
        R"(movie="/opt/dorvanta/Internet/c2.swf" quality="best" play="true" name="www.dorvanta.ro" )" +
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
    EXPECT_NE(page.find(ValueAfterIcon("category", "Cerere")), std::string::npos);
    EXPECT_NE(page.find(ValueAfterIcon("1activity", "Casa Recreere Sport Turism")), std::string::npos);
    EXPECT_NE(page.find("<a href=\"mailto:ana@delta.ro?subject=Anuntul dvs din Dorvanta\">"),
              std::string::npos);
    for (const char* label : {"&nbsp;Subiect", "&nbsp;Tip", "&nbsp;Descriere", "&nbsp;Data introducerii",
                              "&nbsp;Categoria", "&nbsp;Judet", "&nbsp;Reprezentant", "&nbsp;Companie",
                              "&nbsp;Telefon", "&nbsp;Fax", "&nbsp;Email", "&nbsp;Pagina&nbsp;web"}) {
        EXPECT_NE(page.find(L + label + FC + FC + MID), std::string::npos) << label;
    }
    for (const char* english : {"Subject", "Type", "Insert on", "Category", "County", "Representative",
                                "Company", "Phone", "Web&nbsp;page", "Your ad"}) {
        EXPECT_EQ(page.find(english), std::string::npos) << english;
    }
}

TEST(OpportunityPage, TypeWordsAndUnchangedValues)
{
    OpportunityRecord record = FullAd();
    record.AdType = "3";
    EXPECT_NE(Page(record).find(ValueAfterIcon("category", "Service")), std::string::npos);
    record.AdType = "4";
    EXPECT_NE(Page(record).find(ValueAfterIcon("category", "4")), std::string::npos);
    EXPECT_NE(Page(record, Language::RO).find(ValueAfterIcon("category", "4")), std::string::npos);

    record.County = "QQ";
    record.Phone = "+40 (232) 111";
    const std::string page = Page(record);
    EXPECT_NE(page.find(ValueAfterIcon("county", "QQ")), std::string::npos);
    EXPECT_NE(page.find(ValueAfterIcon("phone", "+40 (232) 111")), std::string::npos);
}

TEST(OpportunityPage, GroupNameAndBannerFile)
{
    const auto movie = [](const std::string& file) {
        return "value=\"/opt/dorvanta/Internet/" + file + "\">";
    };
    OpportunityRecord record = FullAd();
    record.DomainLetter = "j";
    std::string page = Page(record, Language::EN, 3);
    EXPECT_NE(page.find(ValueAfterIcon("1activity", "Culture Institutions Education Health")),
              std::string::npos);
    EXPECT_NE(page.find(movie("j3.swf")), std::string::npos);
    EXPECT_NE(page.find("movie=\"/opt/dorvanta/Internet/j3.swf\""), std::string::npos);

    // No letter: no group and a banner named by its number alone.
    record.DomainLetter.clear();
    page = Page(record, Language::EN, 1);
    EXPECT_NE(page.find(ValueAfterIcon("1activity", "")), std::string::npos);
    EXPECT_NE(page.find(movie("1.swf")), std::string::npos);

    // Positions outside the list show the field itself: upper case, past j, bytes above 127.
    for (const std::string letter : {"C", "k", "\xE2", "Cx"}) {
        record.DomainLetter = letter;
        page = Page(record, Language::EN, 2);
        EXPECT_NE(page.find(ValueAfterIcon("1activity", letter)), std::string::npos) << letter;
        EXPECT_NE(page.find(movie(letter + "2.swf")), std::string::npos) << letter;
    }

    // Only the first character counts; an empty list has no items at all.
    record.DomainLetter = "bq";
    EXPECT_NE(Page(record).find(ValueAfterIcon("1activity", "Agriculture Alimentation Beverages")),
              std::string::npos);
    record.DomainLetter = "a";
    EXPECT_NE(BuildOpportunityPage(record, Language::EN, "/opt/dorvanta/", {}, 1)
                  .find(ValueAfterIcon("1activity", "a")),
              std::string::npos);
}

TEST(OpportunityPage, RowsOfEmptyFields)
{
    OpportunityRecord record;
    const std::string page = Page(record);
    for (const char* icon :
         {"category", "story", "insert", "1activity", "county", "representative", "company"}) {
        EXPECT_NE(page.find(ValueAfterIcon(icon, "")), std::string::npos) << icon;
    }
    EXPECT_NE(page.find(ICONS + "subject.gif"), std::string::npos);
    for (const char* absent : {"phone.gif", "fax.gif", "mailto:", "web.gif"}) {
        EXPECT_EQ(page.find(absent), std::string::npos) << absent;
    }
    const std::string ending = ValueAfterIcon("company", "") + "</body></html>";
    ASSERT_GE(page.size(), ending.size());
    EXPECT_EQ(page.substr(page.size() - ending.size()), ending);
}

TEST(OpportunityPage, ReadsTheRecordAtItsNumber)
{
    TempFolder folder;
    OpportunityRecord second = FullAd();
    second.Subject = "Caut garsoniera";
    second.DomainLetter = "g";
    WriteOpportunities(folder.path() / "bursa.db", {FullAd(), second});
    const std::string programFolder = folder.path().string() + "/";
    const std::vector<std::string> domains = OpportunityDomainList(Language::EN);

    BannerNumbers banners(7);
    BannerNumbers same(7);
    // Past the end or negative: the empty text, and no number drawn.
    EXPECT_EQ(OpportunityPage(folder.path(), 2, Language::EN, domains, banners), "");
    EXPECT_EQ(OpportunityPage(folder.path(), -1, Language::EN, domains, banners), "");
    EXPECT_EQ(OpportunityPage(folder.path(), 1, Language::EN, domains, banners),
              BuildOpportunityPage(second, Language::EN, programFolder, domains, same.Next()));
    EXPECT_EQ(OpportunityPage(folder.path(), 0, Language::RO, domains, banners),
              BuildOpportunityPage(FullAd(), Language::RO, programFolder, domains, same.Next()));
    EXPECT_NE(OpportunityPage(folder.path(), 0, Language::EN, domains, banners).find(programFolder + "icon/"),
              std::string::npos);
}

TEST(OpportunityPage, FileProblemsAreErrors)
{
    TempFolder folder;
    BannerNumbers banners;
    const std::vector<std::string> domains = OpportunityDomainList(Language::EN);
    EXPECT_THROW(OpportunityPage(folder.path(), 0, Language::EN, domains, banners), FileError);
    EXPECT_THROW(OpportunityPage(folder.path(), -1, Language::EN, domains, banners), FileError);

    WriteOpportunities(folder.path() / "BURSA.DB", {FullAd()});
    EXPECT_NE(OpportunityPage(folder.path(), 0, Language::EN, domains, banners), "");
    fs::permissions(folder.path() / "BURSA.DB", fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_THROW(OpportunityPage(folder.path(), 0, Language::EN, domains, banners), FileError);
}

TEST(BannerNumbers, SameSuccessionForTheSameSeed)
{
    BannerNumbers first(12345);
    BannerNumbers second(12345);
    BannerNumbers other(54321);
    std::set<int> seen;
    bool differs = false;
    for (int i = 0; i < 1000; ++i) {
        const int number = first.Next();
        ASSERT_GE(number, 1);
        ASSERT_LE(number, 3);
        ASSERT_EQ(second.Next(), number);
        differs = differs || other.Next() != number;
        seen.insert(number);
    }
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_TRUE(differs);

    // Every run of the program, on every platform, starts with the same banners.
    BannerNumbers program;
    std::vector<int> start;
    for (int i = 0; i < 12; ++i) {
        start.push_back(program.Next());
    }
    EXPECT_EQ(start, (std::vector<int>{3, 3, 3, 2, 2, 3, 1, 2, 1, 1, 2, 3}));

    BannerNumbers zero(0);
    for (int i = 0; i < 100; ++i) {
        const int number = zero.Next();
        ASSERT_TRUE(number >= 1 && number <= 3);
    }
}

TEST(OpportunityDomainList, AllThenTheTenGroups)
{
    const std::vector<std::string> english = OpportunityDomainList(Language::EN);
    ASSERT_EQ(english.size(), 11u);
    EXPECT_EQ(english[0], "All");
    EXPECT_EQ(english[1], "Business Mass.media Advertising");
    EXPECT_EQ(english[10], "Culture Institutions Education Health");
    const std::vector<std::string> romanian = OpportunityDomainList(Language::RO);
    ASSERT_EQ(romanian.size(), 11u);
    EXPECT_EQ(romanian[0], "All");
    EXPECT_EQ(romanian[3], "Casa Recreere Sport Turism");
}

TEST(ProgramFolderText, ExactlyOneTrailingSeparator)
{
    EXPECT_EQ(ProgramFolderText("/opt/dorvanta"), "/opt/dorvanta/");
    EXPECT_EQ(ProgramFolderText("/opt/dorvanta/"), "/opt/dorvanta/");
    EXPECT_EQ(ProgramFolderText("/opt/dorvanta///"), "/opt/dorvanta/");
    EXPECT_EQ(ProgramFolderText("/"), "/");
    EXPECT_EQ(ProgramFolderText("relative/dir"), "relative/dir/");
    EXPECT_EQ(ProgramFolderText(""), "./");
}

} // namespace
} // namespace dorvanta
