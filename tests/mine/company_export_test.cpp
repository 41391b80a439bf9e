// The exports read back by other readers: the CSV by Python's csv module,
// the workbook unpacked (a zip of XML) by Python's zipfile, the vCard line by
// line here.

#include "data/utf8_path.h"
#include "data/windows1250.h"
#include "mine/company_export.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

namespace dorvanta::test {
namespace {

using Table = std::vector<std::vector<std::string>>;

std::vector<ExportCompany> Sample()
{
    ExportCompany first;
    first.recordNumber = 7;
    first.record.Company = "\xAA"
                           "tefan & Fiii, \"Prima\" SRL"; // Ştefan
    first.record.County = "CJ";
    first.record.Address = "Str. G\xE3rii nr. 1, Cluj";
    first.record.Phone = "0264-111222; 0264-333444";
    first.record.Email = "office@prima.ro";
    first.record.Description = std::string(60, 'a') + " \xE3\xE2\xEE\xBA\xFE " + std::string(60, 'b');
    first.note = "call \"Monday\"\nask for \xF0\x9F\x93\x9E price, then; wait";
    ExportCompany gone;
    gone.record.Company = "BETA SA";
    return {first, gone};
}

#ifndef _WIN32
Table Expected()
{
    Table table{ExportColumns()};
    for (const ExportCompany& company : Sample()) {
        std::vector<std::string> row{company.recordNumber ? std::to_string(*company.recordNumber) : ""};
        for (std::size_t field = 0; field < 14; ++field) {
            row.push_back(Windows1250ToUtf8(company.record.Field(field)));
        }
        row.push_back(company.note);
        table.push_back(row);
    }
    return table;
}

// Runs a Python script on `file`; it prints cells ended by 0x1f, rows by 0x1e.
Table ReadWithPython(const std::string& script, const std::filesystem::path& file)
{
    TempDir scratch;
    const auto scriptFile = scratch / "read.py";
    WriteBytes(scriptFile, script);
    const std::string command = "python3 '" + scriptFile.string() + "' '" + file.string() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "cannot run python3";
        return {};
    }
    std::string output;
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, read);
    }
    EXPECT_EQ(pclose(pipe), 0) << output;
    Table table(1);
    std::string cell;
    for (const char c : output) {
        if (c == '\x1f') {
            table.back().push_back(cell);
            cell.clear();
        } else if (c == '\x1e') {
            table.emplace_back();
        } else {
            cell += c;
        }
    }
    table.pop_back();
    return table;
}

TEST(CompanyExport, CsvReadsBackThroughPythonsCsvModule)
{
    TempDir dir;
    const auto file = dir / "list.csv";
    WriteCompaniesFile(file, Sample());
    EXPECT_TRUE(ReadBytes(file).starts_with("\xEF\xBB\xBFRecordNumber,Company,"));
    EXPECT_FALSE(std::filesystem::exists(dir / "list.csv.part"));
    const Table table = ReadWithPython(R"(
import csv, sys
with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:
    for row in csv.reader(f, strict=True):
        sys.stdout.write(''.join(cell + '\x1f' for cell in row) + '\x1e')
)",
                                       file);
    EXPECT_EQ(table, Expected());
}

TEST(CompanyExport, WorkbookUnpacksToTheSameCells)
{
    if (!XlsxAvailable()) {
        GTEST_SKIP() << "no .xlsx in this build";
    }
    TempDir dir;
    const auto file = dir / "list.xlsx";
    WriteCompaniesFile(file, Sample());
    const Table table = ReadWithPython(R"(
import re, sys, zipfile
import xml.etree.ElementTree as ET
ns = {'m': 'http://schemas.openxmlformats.org/spreadsheetml/2006/main'}
z = zipfile.ZipFile(sys.argv[1])
strings = [''.join(t.text or '' for t in si.iter('{%s}t' % ns['m']))
           for si in ET.fromstring(z.read('xl/sharedStrings.xml')).findall('m:si', ns)]
sheet = ET.fromstring(z.read('xl/worksheets/sheet1.xml'))
for row in sheet.iter('{%s}row' % ns['m']):
    cells = [''] * 16
    for c in row.findall('m:c', ns):
        column = ord(re.match('[A-Z]+', c.get('r')).group(0)) - 65
        v = c.find('m:v', ns).text
        cells[column] = strings[int(v)] if c.get('t') == 's' else str(int(float(v)))
    sys.stdout.write(''.join(cell + '\x1f' for cell in cells) + '\x1e')
)",
                                       file);
    EXPECT_EQ(table, Expected());
}

#endif

// On Windows the workbook's zip is opened through the wide API, so a folder
// named in Romanian (or in any other letters) must take it as well.
TEST(CompanyExport, WorkbookIsWrittenIntoAFolderNamedInRomanian)
{
    if (!XlsxAvailable()) {
        GTEST_SKIP() << "no .xlsx in this build";
    }
    TempDir dir;
    const auto folder = dir.path() / PathFromUtf8("Liste \xC8\x98tefan");
    std::filesystem::create_directories(folder);
    const auto file = folder / PathFromUtf8("list\xC4\x83.xlsx");
    WriteCompaniesFile(file, Sample());
    EXPECT_EQ(ReadBytes(file).substr(0, 4), std::string("PK\x03\x04", 4));
}

TEST(CompanyExport, VCardLinesAreFoldedEscapedAndComeBack)
{
    const std::string text = CompaniesVCard(Sample());
    ASSERT_TRUE(text.ends_with("\r\n"));
    std::vector<std::string> lines; // unfolded
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        ASSERT_NE(end, std::string::npos);
        const std::string line = text.substr(at, end - at);
        EXPECT_LE(line.size(), 75u) << line;
        EXPECT_EQ(line.find('\n'), std::string::npos);
        if (line.starts_with(' ')) {
            ASSERT_FALSE(lines.empty());
            // A fold never splits a letter: the Romanian letters of the
            // description straddle the 75th octet.
            EXPECT_NE(static_cast<unsigned char>(line.at(1)) & 0xC0, 0x80) << line;
            lines.back() += line.substr(1);
        } else {
            lines.push_back(line);
        }
        at = end + 2;
    }
    std::vector<std::map<std::string, std::string>> cards;
    for (const std::string& line : lines) {
        const std::size_t colon = line.find(':');
        ASSERT_NE(colon, std::string::npos) << line;
        std::string value;
        for (std::size_t i = colon + 1; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) {
                ++i;
                value += line[i] == 'n' ? '\n' : line[i];
            } else {
                value += line[i];
            }
        }
        if (line == "BEGIN:VCARD") {
            cards.emplace_back();
        }
        ASSERT_FALSE(cards.empty());
        cards.back()[line.substr(0, colon)] = value;
    }
    ASSERT_EQ(cards.size(), 2u);
    const auto& card = cards[0];
    const ExportCompany first = Sample()[0];
    EXPECT_EQ(card.at("VERSION"), "3.0");
    EXPECT_EQ(card.at("FN"), Windows1250ToUtf8(first.record.Company));
    EXPECT_EQ(card.at("TEL;TYPE=WORK,VOICE"), "0264-111222; 0264-333444");
    EXPECT_EQ(card.at("NOTE"), Windows1250ToUtf8(first.record.Description) + "\n" + first.note);
    EXPECT_EQ(cards[1].at("FN"), "BETA SA");
    EXPECT_EQ(cards[1].at("END"), "VCARD");
}

TEST(CompanyExport, UnknownExtensionWritesNothing)
{
    TempDir dir;
    EXPECT_THROW(WriteCompaniesFile(dir / "list.txt", Sample()), MineError);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// A folder in the way of the export's name: the file is written but cannot
// take its name, and no part of it is left behind, whatever the format.
TEST(CompanyExport, AnExportThatCannotTakeItsNameLeavesNoPartBehind)
{
    TempDir dir;
    for (const char* name : {"list.csv", "list.xlsx"}) {
        if (std::string_view(name).ends_with(".xlsx") && !XlsxAvailable()) {
            continue;
        }
        std::filesystem::create_directories(dir / name / "inside");
        EXPECT_THROW(WriteCompaniesFile(dir / name, Sample()), MineError) << name;
        EXPECT_FALSE(std::filesystem::exists(dir / (std::string(name) + ".part"))) << name;
    }
}

} // namespace
} // namespace dorvanta::test
