#include "data/category_table.h"
#include "data/company_record.h"
#include "data/record_file.h"
#include "pages/pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
        std::string pattern = (fs::temp_directory_path() / "company-page-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        path_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void WriteCompanies(const fs::path& file, const std::vector<CompanyRecord>& records)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const CompanyRecord& record : records) {
        const CompanyRecord::Raw raw = record.Encode();
        out.write(reinterpret_cast<const char*>(raw.data()), static_cast<std::streamsize>(raw.size()));
    }
}

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
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
const std::string ICONS = "/opt/dorvanta/icon/";

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

TEST(CompanyPage, WholeEnglishPageByteForByte)
{
    const std::string expected =
        std::string("<HTML><BODY>") +
        R"(<center><object classid="clsid:D27CDB6E-AE6D-11cf-96B8-444553540000" codebase=")" +
        "http://download.player.example/pub/shockwave/cabs/flash/swflash.cab#version=4,0,2,0" +
        R"(" width="472" height="70" name="www.dorvanta.ro">)" + R"(<param name="loop" value="false">)" +
        R"(<param name="movie" value="/opt/dorvanta/Internet/Dorvanta.swf">)" +
        R"(<param name="quality" value="best"><param name="play" value="true">)" +
        R"(<embed type="application/x-shockwave-flash" width="472" height="70" )" +
        R"(movie="/opt/dorvanta/Internet/Dorvanta.swf" quality="best" play="true" name="www.dorvanta.ro" )" +
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
    const std::string titleEnd = std::string("BETA") + FC + CLOSE_TITLE + CR;
    // No activities: no blank row before them, but the one after them stays.
    EXPECT_NE(page.find(titleEnd + BLANK + WIDE + F + L + "&nbsp;Postal&nbsp;address"), std::string::npos);
    // County row followed directly by blank row 10, then the end.
    EXPECT_NE(page.find(std::string("Bucuresti") + FC + CLOSE + CR + BLANK + "</table></body></html>"),
              std::string::npos);
    EXPECT_EQ(Count(page, BLANK), 2u);
    EXPECT_EQ(Count(page, CR), 4u); // table opening, name, address, county
    for (const char* absent : {"Activity", "Representative", "mobile.gif", "phone.gif", "fax.gif",
                               "mailto:", "web.gif", "story.gif"}) {
        EXPECT_EQ(page.find(absent), std::string::npos) << absent;
    }
}

TEST(CompanyPage, ActivityRows)
{
    CompanyRecord record = MinimalCompany();
    // A second entry without a first: no blank row, opened wide, second icon.
    record.Activity2 = "g.c.29*p";
    std::string page = English(record);
    EXPECT_NE(page.find(std::string(CLOSE_TITLE) + CR + WIDE + F + L + "&nbsp;Activity" + FC + FC +
                        MID_ACTIVITY + ICONS + "2activity.gif"),
              std::string::npos);
    EXPECT_EQ(page.find("1activity.gif"), std::string::npos);
    EXPECT_EQ(Count(page, BLANK), 2u);
    EXPECT_NE(page.find("<b>Producer</b> in <b>Car Dealers</b> section of the <b><u>Auto</u></b> domain."),
              std::string::npos);

    // An unknown letter keeps the word of the row before; on the first row the word is empty.
    record.Activity1 = "a.a.1*t";
    record.Activity2 = "a.a.2*x";
    record.Activity3 = "a.a.3*X";
    record.Activity4 = "a.a.1*H";
    page = English(record);
    EXPECT_EQ(Count(page, "<b>Trader</b> in"), 3u);
    EXPECT_NE(page.find("<b>Office</b> in <b>Insurance Companies</b>"), std::string::npos);
    EXPECT_EQ(Count(page, "2activity.gif"), 3u);

    record.Activity1 = "a.a.1*x";
    record.Activity2.clear();
    record.Activity3.clear();
    record.Activity4.clear();
    EXPECT_NE(English(record).find("<b></b> in <b>Insurance Companies</b>"), std::string::npos);

    // A code in no row of the table: the entry cut at "*", dots as spaces, no domain.
    record.Activity1 = "z.q.77*t";
    EXPECT_NE(English(record).find("<b>Trader</b> in <b>z q 77</b> section of the <b><u></u></b> domain."),
              std::string::npos);
}

TEST(CompanyPage, RomanianLabelsAndSentence)
{
    const std::string page =
        BuildCompanyPage(FullCompany(), Language::RO, "/opt/dorvanta/", CategoryTable::Builtin());
    EXPECT_NE(page.find(F + L + "&nbsp;Activitate" + FC + FC + MID_ACTIVITY + ICONS +
                        "1activity.gif' width=18 height=18></td><td>" + F +
                        "<b>Comerciant</b> in sectiunea <b>Asigurari&Reasigurari</b> din domeniul "
                        "<b><u>Afaceri</u></b> ." +
                        FC),
              std::string::npos);
    EXPECT_NE(page.find("<b>Importator/Exportator</b> in sectiunea <b>Import&Export</b> din domeniul "
                        "<b><u>Comert</u></b> ."),
              std::string::npos);
    for (const char* label :
         {"&nbsp;Companie", "&nbsp;Adresa&nbsp;postala", "&nbsp;Reprezentant", "&nbsp;Telefon&nbsp;mobil",
          "&nbsp;Telefon", "&nbsp;Fax", "&nbsp;Email", "&nbsp;Pagina&nbsp;web", "&nbsp;Descriere"}) {
        EXPECT_NE(page.find(L + label + FC + FC), std::string::npos) << label;
    }
    EXPECT_NE(page.find(L + "&nbsp;Judet" + FC + MID), std::string::npos);
    for (const char* english : {"Company", "Activity", "Postal", "County", "Mobile", "Web&nbsp;page",
                                "Description", "section of", "Trader"}) {
        EXPECT_EQ(page.find(english), std::string::npos) << english;
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
    EXPECT_NE(page.find(PLAIN + F + L + "&nbsp;County" + FC + MID + ICONS +
                        "county.gif' width=18 height=18></td><td>" + F + "XY" + FC + CLOSE + CR),
              std::string::npos);
    // No scheme added, no escaping.
    EXPECT_NE(page.find("<a href=\"example.ro/a?b=1&c=\"2\"\" target=_blank>" + F +
                        "example.ro/a?b=1&c=\"2\"" + FC + CLOSE_LINK),
              std::string::npos);
    EXPECT_NE(page.find(F + "+ 40 (21) 555<br>1" + FC), std::string::npos);
}

TEST(CompanyPage, ReadsTheRecordAtItsNumber)
{
    TempFolder folder;
    CompanyRecord second = FullCompany();
    second.Company = "GAMMA";
    WriteCompanies(folder.path() / "database.db", {MinimalCompany(), second, FullCompany()});
    const std::string programFolder = folder.path().string() + "/";
    const CategoryTable& table = CategoryTable::Builtin();

    EXPECT_EQ(CompanyPage(folder.path(), 0, Language::EN, table),
              BuildCompanyPage(MinimalCompany(), Language::EN, programFolder, table));
    EXPECT_EQ(CompanyPage(folder.path(), 1, Language::RO, table),
              BuildCompanyPage(second, Language::RO, programFolder, table));
    EXPECT_NE(CompanyPage(folder.path(), 2, Language::EN, table)->find(programFolder + "icon/company.gif"),
              std::string::npos);
    EXPECT_EQ(CompanyPage(folder.path(), 3, Language::EN, table), std::nullopt);
    EXPECT_EQ(CompanyPage(folder.path(), -1, Language::EN, table), std::nullopt);

    // A trailing partial record is no record.
    {
        std::ofstream out(folder.path() / "database.db", std::ios::binary | std::ios::app);
        out << std::string(100, 'x');
    }
    EXPECT_EQ(CompanyPage(folder.path(), 3, Language::EN, table), std::nullopt);
}

TEST(CompanyPage, FileProblemsAreErrors)
{
    TempFolder folder;
    const CategoryTable& table = CategoryTable::Builtin();
    EXPECT_THROW(CompanyPage(folder.path(), 0, Language::EN, table), FileError);
    EXPECT_THROW(CompanyPage(folder.path(), -1, Language::EN, table), FileError);

    // Found without regard to case.
    WriteCompanies(folder.path() / "Database.db", {MinimalCompany()});
    EXPECT_TRUE(CompanyPage(folder.path(), 0, Language::EN, table).has_value());

    fs::permissions(folder.path() / "Database.db", fs::perms::owner_write, fs::perm_options::remove);
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

    auto best = std::chrono::nanoseconds::max();
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const std::optional<std::string> page =
            CompanyPage(folder.path(), kRecords - 1, Language::EN, CategoryTable::Builtin());
        best = std::min(best, std::chrono::steady_clock::now() - start);
        ASSERT_TRUE(page.has_value());
        EXPECT_NE(page->find("ALFA TRADING SRL"), std::string::npos);
    }
    EXPECT_LT(best, std::chrono::milliseconds(1));
    EXPECT_EQ(CompanyPage(folder.path(), kRecords, Language::EN, CategoryTable::Builtin()), std::nullopt);
}

} // namespace
} // namespace dorvanta
