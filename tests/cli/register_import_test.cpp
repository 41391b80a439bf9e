#include "cli_test_util.h"

#include "data/record_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace dorvanta::test {
namespace {

namespace fs = std::filesystem;

const std::string kCompanyHeader =
    "DENUMIRE^CUI^COD_INMATRICULARE^DATA_INMATRICULARE^EUID^FORMA_JURIDICA^ADR_TARA^ADR_JUDET^ADR_LOCALITATE^"
    "ADR_DEN_STRADA^ADR_NR_STRADA^ADR_BLOC^ADR_SCARA^ADR_ETAJ^ADR_APARTAMENT^ADR_COD_POSTAL^ADR_SECTOR^"
    "ADR_COMPLETARE^WEB^TARA_FIRMA_MAMA";

// One row of OD_FIRME: the fields the tests vary, the others plain.
std::string CompanyRow(const std::string& name, const std::string& registration, const std::string& date,
                       const std::string& county, const std::string& locality = "Cluj-Napoca",
                       const std::string& street = "Str. Memorandumului",
                       const std::string& country = "România", const std::string& sector = "")
{
    return name + "^12345678^" + registration + "^" + date + "^ROONRC." + registration + "^SRL^" + country +
           "^" + county + "^" + locality + "^" + street + "^10^^^^^400001^" + sector + "^^www.firma.ro^";
}

// A snapshot written as the register publishes it: the company file with a
// byte-order mark and CR LF, names of files in mixed case.
void WriteSnapshot(const fs::path& folder, const std::vector<std::string>& companies,
                   const std::vector<std::string>& states, const std::vector<std::string>& activities)
{
    fs::create_directories(folder);
    std::string bytes = "\xEF\xBB\xBF" + kCompanyHeader + "\r\n";
    for (const std::string& row : companies) {
        bytes += row + "\r\n";
    }
    WriteBytes(folder / "od_firme.csv", bytes);
    bytes = "COD_INMATRICULARE^COD\n";
    for (const std::string& row : states) {
        bytes += row + "\n";
    }
    WriteBytes(folder / "OD_STARE_FIRMA.CSV", bytes);
    WriteBytes(folder / "N_STARE_FIRMA.csv", "\xEF\xBB\xBF"
                                             "COD^DENUMIRE\r\n1048^funcțiune\r\n1049^dizolvare\r\n1074^"
                                             "întrerupere temporară de activitate\r\n1084^radiată\r\n"
                                             "2069^sediu expirat\r\n");
    bytes = "COD_INMATRICULARE^COD_CAEN_AUTORIZAT^VER_CAEN_AUTORIZAT\n";
    for (const std::string& row : activities) {
        bytes += row + "\n";
    }
    WriteBytes(folder / "Od_Caen_Autorizat.Csv", bytes);
    WriteBytes(folder / "N_CAEN.CSV", "SECTIUNEA^SUBSECTIUNEA^DIVIZIUNEA^GRUPA^CLASA^DENUMIRE^VERSIUNE_CAEN\n"
                                      "G^^^^^Comerț^2\nG^^47^471^4711^Comerț cu amănuntul^2\n"
                                      "J^^62^620^6201^Activități de realizare a soft-ului^3\n");
}

const std::string kLongName =
    "COMPANIA CU UN NUME FOARTE LUNG DE PRODUCTIE SI COMERT CU MATERIALE DE CONSTRUCTII "
    "SI TRANSPORT SRL";

// The first snapshot: every quirk of the register's files.
void WriteFirstSnapshot(const fs::path& folder)
{
    WriteSnapshot(
        folder,
        {CompanyRow("Ștefan & Fiii SRL", "J12/100/2010", "01/02/2010", "CLUJ"),
         CompanyRow("ŢARA MEA SRL", "J40/200/2011", "03/04/2011", "Municipiul București",
                    "București Sectorul 3", "Bd. Unirii", "România", "3"),
         CompanyRow("GLOBEX GMBH", "J40/300/2012", "05/06/2012", "", "Berlin", "Hauptstrasse", "Germania"),
         CompanyRow(kLongName, "J22/400/2013", "07/08/2013", "Iaşi", "Iaşi"), "SCURT SRL^123^J01/1/2000",
         CompanyRow("VECHI SRL", "J01/500/1995", "01/01/1995", "Alba", "Alba Iulia"),
         CompanyRow("ALFA SRL", "J05/50/1990", "01/01/1990", "Bihor", "Oradea"),
         CompanyRow("ALFA SRL", "J05/600/2015", "15/06/2015", "Bihor", "Oradea"),
         CompanyRow("Alfa SRL", "J05/601/2016", "15/06/2016", "Bihor", "Oradea"),
         CompanyRow("BETA SRL", "J12/700/2017", "01/01/2017", "Cluj"),
         CompanyRow("GAMA SRL", "J12/800/2018", "01/01/2018", "Cluj"),
         CompanyRow("DELTA SRL", "J12/900/2019", "01/01/2019", "Cluj"),
         CompanyRow("EPSILON SRL", "J12/1000/2019", "02/01/2019", "Cluj")},
        {"J12/100/2010^1048", "J12/100/2010^2069", "J40/200/2011^1074", "J01/500/1995^1048",
         "J01/500/1995^1084", "J05/50/1990^1084", "J05/600/2015^1048", "J12/1000/2019^1048"},
        {"J12/100/2010^6201^3", "J12/100/2010^4711^2", "J40/200/2011^0111^2", "J12/700/2017^4711^2"});
}

// The second: one company struck off, one renamed, one moved, one gone, one
// added, and the first of two namesakes struck off.
void WriteSecondSnapshot(const fs::path& folder)
{
    WriteSnapshot(
        folder,
        {CompanyRow("Ștefan & Fiii SRL", "J12/100/2010", "01/02/2010", "CLUJ"),
         CompanyRow("ŢARA MEA SRL", "J40/200/2011", "03/04/2011", "Municipiul București",
                    "București Sectorul 3", "Bd. Unirii", "România", "3"),
         CompanyRow("GLOBEX GMBH", "J40/300/2012", "05/06/2012", "", "Berlin", "Hauptstrasse", "Germania"),
         CompanyRow(kLongName, "J22/400/2013", "07/08/2013", "Iaşi", "Iaşi"),
         CompanyRow("VECHI SRL", "J01/500/1995", "01/01/1995", "Alba", "Alba Iulia"),
         CompanyRow("ALFA SRL", "J05/50/1990", "01/01/1990", "Bihor", "Oradea"),
         CompanyRow("ALFA SRL", "J05/600/2015", "15/06/2015", "Bihor", "Oradea"),
         CompanyRow("Alfa SRL", "J05/601/2016", "15/06/2016", "Bihor", "Oradea"),
         CompanyRow("BETA NOU SRL", "J12/700/2017", "01/01/2017", "Cluj"),
         CompanyRow("GAMA SRL", "J12/800/2018", "01/01/2018", "BIHOR", "Oradea", "Str. Republicii"),
         CompanyRow("EPSILON SRL", "J12/1000/2019", "02/01/2019", "Cluj"),
         CompanyRow("ZETA SRL", "J12/1100/2020", "01/01/2020", "Cluj")},
        {"J12/100/2010^1048", "J01/500/1995^1084", "J05/50/1990^1084", "J05/600/2015^1084",
         "J12/1000/2019^1052"},
        {"J12/100/2010^6201^3", "J12/100/2010^4711^2", "J40/200/2011^0111^2", "J12/700/2017^4711^2"});
}

std::vector<CompanyRecord> ReadCompanies(const fs::path& file)
{
    const std::string bytes = ReadBytes(file);
    std::vector<CompanyRecord> records;
    for (std::size_t at = 0; at + company_layout::kRecordSize <= bytes.size();
         at += company_layout::kRecordSize) {
        records.push_back(CompanyRecord::Decode(reinterpret_cast<const std::uint8_t*>(bytes.data() + at)));
    }
    return records;
}

// The living records, in an order of their own: what "the same directory" means.
std::vector<std::string> LivingRecords(const fs::path& file)
{
    std::vector<std::string> living;
    for (const CompanyRecord& record : ReadCompanies(file)) {
        if (!record.IsDeleted()) {
            const CompanyRecord::Raw raw = record.Encode();
            living.emplace_back(raw.begin(), raw.end());
        }
    }
    std::sort(living.begin(), living.end());
    return living;
}

const CompanyRecord* Named(const std::vector<CompanyRecord>& records, const std::string& name)
{
    const auto found = std::find_if(records.begin(), records.end(),
                                    [&](const CompanyRecord& record) { return record.Company == name; });
    return found == records.end() ? nullptr : &*found;
}

TEST(RegisterImport, SnapshotWithTheRegistersQuirksBuildsTheDirectory)
{
    TempDir snapshot;
    WriteFirstSnapshot(snapshot.path());
    TempDir dir;
    const RunResult run = RunCli(dir, {"import-register", snapshot.path().string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const std::vector<CompanyRecord> records = ReadCompanies(dir / "database.db");
    std::vector<std::string> names;
    for (const CompanyRecord& record : records) {
        names.push_back(record.Company);
    }
    // Comma-below letters stored as the code page's cedilla ones; the struck-off
    // company and the short row left out; of the three namesakes the living
    // older one keeps the name, the struck-off one is not imported.
    std::sort(names.begin(), names.end());
    const std::string longName = names[3];
    EXPECT_EQ(longName.size(), 80u);
    EXPECT_EQ(longName, kLongName.substr(0, 80));
    EXPECT_EQ(names, (std::vector<std::string>{"ALFA SRL", "Alfa SRL (J05/601/2016)", "BETA SRL", longName,
                                               "DELTA SRL", "EPSILON SRL", "GAMA SRL", "GLOBEX GMBH",
                                               "\xAA"
                                               "tefan & Fiii SRL",
                                               "\xDE"
                                               "ARA MEA SRL"}));

    EXPECT_EQ(Named(records, "\xAA"
                             "tefan & Fiii SRL")
                  ->County,
              "CJ");
    EXPECT_EQ(Named(records, "\xDE"
                             "ARA MEA SRL")
                  ->County,
              "B");
    EXPECT_EQ(Named(records, "GLOBEX GMBH")->County, "OU");
    // Classes of both editions, each giving a category.
    const CompanyRecord& both = *Named(records, "\xAA"
                                                "tefan & Fiii SRL");
    EXPECT_FALSE(both.Activity1.empty());
    EXPECT_FALSE(both.Activity2.empty());

    EXPECT_NE(run.out.find("Rows read: 13 companies, 8 states, 4 activities"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Companies added: 10, replaced: 0"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("2 ended"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("1 short rows"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Namesakes given their registration number: 2 (imported: 1)"), std::string::npos)
        << run.out;
    EXPECT_TRUE(fs::exists(dir / "register.names"));

    // Every state, written out instead of applied.
    TempDir other;
    const fs::path lines = other / "lines.txt";
    ASSERT_EQ(RunCli(other, {"import-register", snapshot.path().string(), "--all-states", "--lines-out",
                             lines.string()})
                  .exitCode,
              0);
    const std::string written = ReadBytes(lines);
    EXPECT_NE(written.find("\n!VECHI SRL`"), std::string::npos);
    EXPECT_NE(written.find("\n!ALFA SRL (J05/50/1990)`"), std::string::npos);
    EXPECT_FALSE(fs::exists(other / "database.db"));
}

TEST(RegisterImport, ALaterSnapshotOverTheFirstEqualsImportingItAlone)
{
    TempDir first;
    TempDir second;
    WriteFirstSnapshot(first.path());
    WriteSecondSnapshot(second.path());

    TempDir updated;
    ASSERT_EQ(RunCli(updated, {"import-register", first.path().string()}).exitCode, 0);
    const RunResult again = RunCli(updated, {"import-register", second.path().string()});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    TempDir fresh;
    ASSERT_EQ(RunCli(fresh, {"import-register", second.path().string()}).exitCode, 0);

    const std::vector<std::string> living = LivingRecords(updated / "database.db");
    EXPECT_EQ(living, LivingRecords(fresh / "database.db"));
    EXPECT_EQ(living.size(), 8u);
    // The renamed, the gone and the struck-off companies left blank records;
    // a later namesake took the plain name, whose record it now holds.
    const std::vector<CompanyRecord> records = ReadCompanies(updated / "database.db");
    EXPECT_EQ(records.size(), 12u);
    ASSERT_NE(Named(records, "Alfa SRL"), nullptr);
    EXPECT_NE(Named(records, "Alfa SRL")->Description.find("J05/601/2016"), std::string::npos);

    // The same snapshot once more changes nothing.
    const std::string before = ReadBytes(updated / "database.db");
    ASSERT_EQ(RunCli(updated, {"import-register", second.path().string()}).exitCode, 0);
    EXPECT_EQ(ReadBytes(updated / "database.db"), before);
}

TEST(RegisterImport, MissingFilesAndColumns)
{
    TempDir dir;
    TempDir snapshot;
    RunResult run = RunCli(dir, {"import-register", snapshot.path().string()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("OD_FIRME"), std::string::npos) << run.err;

    WriteBytes(snapshot / "OD_FIRME.CSV", "DENUMIRE^CUI\nTEST SRL^1\n");
    run = RunCli(dir, {"import-register", snapshot.path().string()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("COD_INMATRICULARE"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir / "database.db"));

    // An older snapshot: OD_FIRME alone and without its last columns. Every
    // company counts as living; a quote is data. Of two rows of one
    // registration number the same one is taken in either order.
    const std::string header = "DENUMIRE^CUI^COD_INMATRICULARE^DATA_INMATRICULARE\n";
    const std::string first = "TEST \"UNU\" SRL^1^J40/1/2001^01/01/2001\n";
    const std::string second = "TEST DOI SRL^1^J40/1/2001^01/01/2001\n";
    WriteBytes(snapshot / "OD_FIRME.CSV", header + first + second);
    run = RunCli(dir, {"import-register", snapshot.path().string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("1 repeating a registration number"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("OD_STARE_FIRMA.CSV N_STARE_FIRMA.CSV OD_CAEN_AUTORIZAT.CSV N_CAEN.CSV"),
              std::string::npos)
        << run.out;
    const std::vector<CompanyRecord> records = ReadCompanies(dir / "database.db");
    ASSERT_EQ(records.size(), 1u);
    TempDir reversed;
    WriteBytes(reversed / "OD_FIRME.CSV", header + second + first);
    TempDir other;
    ASSERT_EQ(RunCli(other, {"import-register", reversed.path().string()}).exitCode, 0);
    EXPECT_EQ(ReadCompanies(other / "database.db"), records);
}

} // namespace
} // namespace dorvanta::test
