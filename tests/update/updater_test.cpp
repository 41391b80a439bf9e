#include "update/updater.h"

#include "data/file_access.h"
#include "data/messages.h"
#include "data/record_layout.h"
#include "import/record_import.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"
#include "support/update_fakes.h"
#include "update/manifest.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <limits>
#include <map>

namespace dorvanta {
namespace {

namespace fs = std::filesystem;
using test::MemorySettings;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

constexpr const char* kServer = "http://publisher.test";

// Answers from a table of canned bodies (a missing entry fails like a 404)
// and records every address asked for, in order.
class FakeHttpClient : public HttpClient
{
public:
    std::string Get(const std::string& url) override
    {
        urls.push_back(url);
        if (beforeAnswer) {
            beforeAnswer(url);
        }
        const auto it = bodies.find(url);
        if (it == bodies.end()) {
            throw HttpError("404 " + url);
        }
        connected = true;
        return it->second;
    }
    void GetToStream(const std::string& url, std::ostream& out) override
    {
        const std::string body = Get(url);
        out << body;
        if (url.find("half") != std::string::npos) {
            throw HttpError("connection broken");
        }
    }
    bool Connected() const override { return connected; }
    void Disconnect() override
    {
        connected = false;
        ++disconnects;
    }

    std::map<std::string, std::string> bodies;
    std::vector<std::string> urls;
    std::function<void(const std::string&)> beforeAnswer;
    bool connected = false;
    int disconnects = 0;
};

// Records every call as one text, in order.
class RecordingProgress : public UpdateProgress
{
public:
    void SetGaugeMaximum(int maximum) override { events.push_back("max " + std::to_string(maximum)); }
    void SetGaugePosition(int position) override { events.push_back("pos " + std::to_string(position)); }
    void SetStatus(const std::string& text) override
    {
        events.push_back("status " + text);
        status = text;
    }
    void ShowInformation(const std::string& text) override { events.push_back("box " + text); }
    void ShowUpdateProgress() override { events.push_back("show"); }
    void HideUpdateProgress() override { events.push_back("hide"); }
    void SetDialogGaugeMaximum(int maximum) override
    {
        events.push_back("dialog max " + std::to_string(maximum));
    }
    void SetDialogGaugePosition(int position) override
    {
        events.push_back("dialog pos " + std::to_string(position));
    }

    int Count(const std::string& prefix) const
    {
        int count = 0;
        for (const auto& event : events) {
            count += event.rfind(prefix, 0) == 0 ? 1 : 0;
        }
        return count;
    }

    std::vector<std::string> events;
    std::string status = "<untouched>";
};

std::string Url(const std::string& path)
{
    return kServer + path;
}

std::string Ad(const std::string& id, const std::string& subject = "subject")
{
    return id + "`a`Firma`B`" + subject + "`2005-01-01`text`1`Ion`021`022`e@f.ro`www.f.ro`";
}

std::string CompanyLine(char prefix, const std::string& name)
{
    return std::string(1, prefix) + name + "`B`Str. 1```````a.c.21*s````about`";
}

const std::vector<bool> kAllGroups(10, true);
const std::string kAllGroupsPath =
    "/ro/select_o.php?option=all&a1=1&a2=1&a3=1&a4=1&a5=1&a6=1&a7=1&a8=1&a9=1&a10=1";

class UpdaterTest : public ::testing::Test
{
protected:
    UpdaterTest()
        : updater_(
              dir_.path(), kServer, http_, settings_, progress_, [this] { return now_; },
              [this] { return language_; })
    {
        fs::create_directory(dir_ / "Internet");
    }

    std::vector<std::string> StoredIds() const
    {
        // A missing file holds no ads.
        try {
            return LoadOpportunityIds(dir_.path());
        } catch (const FileError&) {
            return {};
        }
    }

    void AddAds(const std::vector<std::string>& lines)
    {
        RecordingProgress quiet;
        AppendOpportunities(dir_.path(), lines, quiet);
    }

    TempDir dir_;
    FakeHttpClient http_;
    MemorySettings settings_;
    RecordingProgress progress_;
    LocalDateTime now_{2005, 3, 4, 10, 30, 15};
    Language language_ = Language::EN;
    Updater updater_;
};

// ------------------------------------------------------------------ manifest

TEST(Manifest, ParsesEntriesAndRejectsIncompleteOnes)
{
    const auto entry = ParseManifestLine("!12;companies_EN.htm;http://host/a;b?c=1");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->version, "12");
    EXPECT_EQ(entry->name, "companies_EN.htm");
    EXPECT_EQ(entry->address, "http://host/a;b?c=1");

    const auto odd = ParseManifestLine("!;;x");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->version, "");
    EXPECT_EQ(odd->name, "");

    EXPECT_FALSE(ParseManifestLine(""));
    EXPECT_FALSE(ParseManifestLine("!3;name;"));
    EXPECT_FALSE(ParseManifestLine("!3;name"));
    EXPECT_FALSE(ParseManifestLine("!3"));
}

TEST(Manifest, VersionsAreDecimalIntegers)
{
    EXPECT_EQ(ParseVersion("12"), 12);
    EXPECT_EQ(ParseVersion("-1"), -1);
    EXPECT_EQ(ParseVersion("+4"), 4);
    EXPECT_EQ(ParseVersion(" 7"), 7);
    EXPECT_EQ(ParseVersion("2147483647"), 2147483647);
    EXPECT_EQ(ParseVersion("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", " ", "-", "7 ", "1.5", "x1", "0x10", "2147483648", "-2147483649"}) {
        EXPECT_FALSE(ParseVersion(bad)) << bad;
    }
}

TEST(Manifest, OnlyPlainFileNamesAreSafe)
{
    for (const char* good : {"companies_EN.htm", "banner 1.swf", "a.b.c", ".hidden", "console.htm", "COM10",
                             "LPT", "nul_EN.htm", "bursa.db.htm", "Temporary", "my database.db"}) {
        EXPECT_TRUE(IsSafeFileName(good)) << good;
    }
    for (const char* bad : {"", ".", "..", "../x", "a..b", "/etc/passwd", "sub/x", "sub\\x", "C:x", "a\tb"}) {
        EXPECT_FALSE(IsSafeFileName(bad)) << bad;
    }
}

TEST(Manifest, NamesThatWindowsReadsOtherwiseAreNotSafe)
{
    // Characters Windows refuses or changes, and bytes that name another file
    // in another code page.
    for (const char* bad : {" ", " a.htm", "a.htm ", "a.htm.", "a\x7F.htm", "\x80.htm", "\xFF", "a*.htm",
                            "a?.htm", "a\"b", "a<b", "a>b", "a|b"}) {
        EXPECT_FALSE(IsSafeFileName(bad)) << bad;
    }
    // Device names, with or without an extension, in any case; and the
    // program's own files.
    for (const char* bad :
         {"CON", "con", "Nul.htm", "PRN.txt.gz", "aux", "COM1", "com9.htm", "COM0", "LPT1", "lpt9.swf",
          "CON .txt", "CONIN$", "conout$.x", "database.db", "DATABASE.DB", "Bursa.db", "Temp", "TEMP"}) {
        EXPECT_FALSE(IsSafeFileName(bad)) << bad;
    }
}

TEST(Manifest, StoredVersionsFallBackToMinusOne)
{
    MemorySettings settings;
    EXPECT_EQ(ReadFileVersion(settings, "a.htm"), -1);
    WriteFileVersion(settings, "5", "a.htm");
    EXPECT_EQ(settings.Version("a.htm"), "5");
    EXPECT_EQ(ReadFileVersion(settings, "a.htm"), 5);
    settings.strings[MemorySettings::Key(kInternetSettingsKey, "b.htm")] = "five";
    EXPECT_EQ(ReadFileVersion(settings, "b.htm"), -1);
    settings.broken = true;
    EXPECT_EQ(ReadFileVersion(settings, "a.htm"), -1);
    EXPECT_NO_THROW(WriteFileVersion(settings, "6", "a.htm"));
}

TEST(UpdateText, AdAnswersBecomeOneLineAndIdentifiersStayExact)
{
    EXPECT_EQ(OneAdLine("1`a`\r\n"), "1`a`");
    EXPECT_EQ(OneAdLine("\t 1`a`\r\nsecond\rthird\n"), "1`a` second third");
    EXPECT_EQ(OneAdLine(""), "");
    EXPECT_EQ(IdentifierInQuery(" 42"), " 42");
    EXPECT_EQ(IdentifierInQuery("a%41#b&c"), "a%2541%23b&c");
    EXPECT_EQ(FormatUpdateDate({2004, 11, 15, 23, 59, 59}), "2004-11-15");
    EXPECT_EQ(FormatUpdateDate({2000, 1, 1, 0, 0, 0}), "2000-01-01");
}

// ------------------------------------------------------------------- refresh

TEST_F(UpdaterTest, RefreshDownloadsOnlyNewerFiles)
{
    settings_.strings[MemorySettings::Key(kInternetSettingsKey, "same.htm")] = "3";
    settings_.strings[MemorySettings::Key(kInternetSettingsKey, "old.htm")] = "3";
    WriteBytes(dir_ / "Internet" / "old.htm", "old");
    http_.bodies[Url("/ro/update.txt")] = "!3;same.htm;http://files/same\r\n"
                                          "!4;old.htm;http://files/old\r\n"
                                          "!0;fresh.htm;http://files/fresh\n"
                                          "!-1;never.htm;http://files/never\n"
                                          "# comment\n!\n";
    http_.bodies["http://files/old"] = "new";
    http_.bodies["http://files/fresh"] = "fresh";
    http_.connected = true;

    const RefreshReport report = updater_.RefreshInternetFiles();

    EXPECT_TRUE(report.manifestFetched);
    EXPECT_EQ(report.installed, 2u);
    EXPECT_EQ(http_.urls,
              (std::vector<std::string>{Url("/ro/update.txt"), "http://files/old", "http://files/fresh"}));
    // A kept-alive connection is closed before the manifest and before each download.
    EXPECT_EQ(http_.disconnects, 3);
    EXPECT_EQ(ReadBytes(dir_ / "Internet" / "old.htm"), "new");
    EXPECT_EQ(ReadBytes(dir_ / "Internet" / "fresh.htm"), "fresh");
    EXPECT_EQ(settings_.Version("old.htm"), "4");
    EXPECT_EQ(settings_.Version("fresh.htm"), "0");
    EXPECT_EQ(settings_.Version("never.htm"), "<none>");
    EXPECT_TRUE(fs::is_directory(dir_ / "Temp"));
    EXPECT_FALSE(fs::exists(dir_ / "Temp" / "temp.tmp"));
    EXPECT_EQ(progress_.events, std::vector<std::string>{});
}

TEST_F(UpdaterTest, RefreshIgnoresUnsafeNamesAndNonNumericVersions)
{
    http_.bodies[Url("/ro/update.txt")] = "!5;../escape.htm;http://files/x\n"
                                          "!5;/tmp/absolute.htm;http://files/x\n"
                                          "!5;sub\\x.htm;http://files/x\n"
                                          "!5;C:x.htm;http://files/x\n"
                                          "!5;;http://files/x\n"
                                          "!five;word.htm;http://files/x\n"
                                          "!;empty.htm;http://files/x\n"
                                          "!6;noaddress.htm;\n"
                                          "!6;nosecond.htm\n";
    http_.bodies["http://files/x"] = "payload";

    updater_.RefreshInternetFiles();

    EXPECT_EQ(http_.urls, std::vector<std::string>{Url("/ro/update.txt")});
    EXPECT_FALSE(fs::exists(dir_ / "escape.htm"));
    EXPECT_TRUE(fs::is_empty(dir_ / "Internet"));
    EXPECT_TRUE(settings_.strings.empty());
}

TEST_F(UpdaterTest, FailedDownloadOrInstallKeepsTheOldFileAndVersion)
{
    settings_.strings[MemorySettings::Key(kInternetSettingsKey, "a.htm")] = "1";
    WriteBytes(dir_ / "Internet" / "a.htm", "old a");
    fs::create_directory(dir_ / "Internet" / "dir.htm");
    http_.bodies[Url("/ro/update.txt")] = "!2;a.htm;http://files/half\n"
                                          "!2;gone.htm;http://files/missing\n"
                                          "!2;dir.htm;http://files/ok\n"
                                          "!2;good.htm;http://files/ok\n";
    http_.bodies["http://files/half"] = "new a, cut off";
    http_.bodies["http://files/ok"] = "ok";

    const RefreshReport report = updater_.RefreshInternetFiles();

    EXPECT_EQ(report.installed, 1u);
    EXPECT_EQ(report.failed, 3u);
    EXPECT_EQ(ReadBytes(dir_ / "Internet" / "a.htm"), "old a");
    EXPECT_EQ(settings_.Version("a.htm"), "1");
    EXPECT_FALSE(fs::exists(dir_ / "Internet" / "gone.htm"));
    EXPECT_EQ(settings_.Version("gone.htm"), "<none>");
    EXPECT_TRUE(fs::is_directory(dir_ / "Internet" / "dir.htm"));
    EXPECT_EQ(settings_.Version("dir.htm"), "<none>");
    EXPECT_EQ(settings_.Version("good.htm"), "2");
    EXPECT_FALSE(fs::exists(dir_ / "Temp" / "temp.tmp"));
}

TEST_F(UpdaterTest, RefreshDoesNotCreateInternetFolder)
{
    fs::remove(dir_ / "Internet");
    http_.bodies[Url("/ro/update.txt")] = "!1;a.htm;http://files/a\n";
    http_.bodies["http://files/a"] = "a";

    EXPECT_EQ(updater_.RefreshInternetFiles().installed, 0u);
    EXPECT_FALSE(fs::exists(dir_ / "Internet"));
    EXPECT_EQ(settings_.Version("a.htm"), "<none>");
    EXPECT_FALSE(fs::exists(dir_ / "Temp" / "temp.tmp"));
}

TEST_F(UpdaterTest, RefreshReplacesAFileWhoseNameDiffersInCase)
{
    WriteBytes(dir_ / "Internet" / "Companies_EN.htm", "old");
    http_.bodies[Url("/ro/update.txt")] = "!1;companies_en.htm;http://files/a\n";
    http_.bodies["http://files/a"] = "new";

    updater_.RefreshInternetFiles();

    EXPECT_EQ(ReadBytes(dir_ / "Internet" / "Companies_EN.htm"), "new");
    EXPECT_EQ(test::NamesIgnoringCase(dir_ / "Internet", "companies_en.htm"),
              std::vector<std::string>{"Companies_EN.htm"});
    EXPECT_EQ(settings_.Version("companies_en.htm"), "1");
}

// -------------------------------------------------------------- business ads

TEST_F(UpdaterTest, AdsUpdateFetchesOnlyIdentifiersTheFileDoesNotHold)
{
    AddAds({Ad("7"), Ad("ab")});
    http_.bodies[Url(kAllGroupsPath)] = "\r\n8\r\n  \r\n7\r\nAB\r\n 42\r\n";
    http_.bodies[Url("/ro/select_o.php?option=one&id=8")] = Ad("8", "eight") + "\r\n";
    http_.bodies[Url("/ro/select_o.php?option=one&id= 42")] = Ad("42", "part one\r\npart two");

    EXPECT_EQ(updater_.UpdateAds(kAllGroups), UpdateOutcome::Done);

    // The manifest is asked for first, even when it cannot be fetched.
    EXPECT_EQ(http_.urls, (std::vector<std::string>{Url("/ro/update.txt"), Url(kAllGroupsPath),
                                                    Url("/ro/select_o.php?option=one&id=8"),
                                                    Url("/ro/select_o.php?option=one&id= 42")}));
    EXPECT_EQ(StoredIds(), (std::vector<std::string>{"7", "ab", "8", "42"}));
    const std::string bytes = ReadBytes(dir_ / "bursa.db");
    EXPECT_EQ(
        ReadField(reinterpret_cast<const std::uint8_t*>(bytes.data()) + 3 * opportunity_layout::kRecordSize,
                  opportunity_layout::kFields[opportunity_layout::Subject]),
        "part one part two");
    EXPECT_EQ(progress_.events.front(), "show");
    EXPECT_EQ(progress_.events.back(), "hide");
    EXPECT_EQ(progress_.status, "2 records was added. Your database is updated.");
    EXPECT_EQ(progress_.Count("dialog max 2"), 1);
    EXPECT_EQ(progress_.Count("dialog pos"), 2);
    EXPECT_FALSE(updater_.Running());
}

TEST_F(UpdaterTest, AdsUpdateWithNoGroupCheckedStillRefreshesAndSaysNothing)
{
    EXPECT_EQ(updater_.UpdateAds(std::vector<bool>(10, false)), UpdateOutcome::NothingChecked);
    EXPECT_EQ(http_.urls, std::vector<std::string>{Url("/ro/update.txt")});
    EXPECT_EQ(progress_.events, (std::vector<std::string>{"show", "hide"}));
    EXPECT_FALSE(fs::exists(dir_ / "bursa.db"));
}

TEST_F(UpdaterTest, AdsUpdateWithNothingNewSaysSoInBothLanguages)
{
    for (const char* list : {"", " \r\n\t\r\n", "!none\r\n5\r\n", "\r\n!\r\n"}) {
        http_.bodies[Url(kAllGroupsPath)] = list;
        EXPECT_EQ(updater_.UpdateAds(kAllGroups), UpdateOutcome::NoNewAds) << list;
        EXPECT_EQ(progress_.status, "No new opportunities.");
    }
    language_ = Language::RO;
    updater_.UpdateAds(kAllGroups);
    EXPECT_EQ(progress_.status, "Nu sunt oportunitati noi.");
    EXPECT_EQ(http_.urls.back(), Url(kAllGroupsPath));
    EXPECT_FALSE(fs::exists(dir_ / "bursa.db"));
}

TEST_F(UpdaterTest, AdsUpdateWithEveryIdentifierHeldAddsNothing)
{
    http_.bodies[Url(kAllGroupsPath)] = "1\r\n";
    AddAds({Ad("1")});
    EXPECT_EQ(updater_.UpdateAds(kAllGroups), UpdateOutcome::Done);
    EXPECT_EQ(http_.urls.size(), 2u);
    EXPECT_EQ(StoredIds(), std::vector<std::string>{"1"});
    EXPECT_EQ(progress_.status, "0 records was added. Your database is updated.");

    language_ = Language::RO;
    http_.bodies[Url(kAllGroupsPath)] = "2\r\n";
    http_.bodies[Url("/ro/select_o.php?option=one&id=2")] = Ad("2");
    EXPECT_EQ(updater_.UpdateAds(kAllGroups), UpdateOutcome::Done);
    EXPECT_EQ(progress_.status, "1 inregistrari au fost adaugate. Baza de date este actualizata.");
}

TEST_F(UpdaterTest, AdsUpdateWithoutAFileCreatesItAndFetchesEverything)
{
    http_.bodies[Url(kAllGroupsPath)] = "1\r\n1\r\n";
    http_.bodies[Url("/ro/select_o.php?option=one&id=1")] = "";
    EXPECT_EQ(updater_.UpdateAds(kAllGroups), UpdateOutcome::Done);
    // The server listed the identifier twice; both are fetched, as listed.
    EXPECT_EQ(StoredIds(), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(progress_.status, "2 records was added. Your database is updated.");
}

TEST_F(UpdaterTest, FailedAdsAreReportedAndTheOthersStillAppended)
{
    http_.bodies[Url(kAllGroupsPath)] = "1\r\n2\r\n3\r\n";
    http_.bodies[Url("/ro/select_o.php?option=one&id=1")] = Ad("1");
    http_.bodies[Url("/ro/select_o.php?option=one&id=3")] = Ad("3");

    EXPECT_EQ(updater_.UpdateAds(kAllGroups), UpdateOutcome::DownloadErrors);
    EXPECT_EQ(http_.urls.size(), 5u);
    EXPECT_EQ(StoredIds(), (std::vector<std::string>{"1", "3"}));
    EXPECT_EQ(progress_.status, "Errors occured while downloading informations. Please try again.");
    // The dialog's gauge counts the failed identifier too.
    EXPECT_EQ(progress_.Count("dialog pos"), 3);
    EXPECT_EQ(progress_.events.back(), "hide");
}

TEST_F(UpdaterTest, AnAppendThatFailsIsReportedAsAnErrorNotACount)
{
    http_.bodies[Url(kAllGroupsPath)] = "1\r\n2\r\n";
    http_.bodies[Url("/ro/select_o.php?option=one&id=1")] = Ad("1");
    http_.bodies[Url("/ro/select_o.php?option=one&id=2")] = Ad("2");
    AddAds({Ad("0")});
    {
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
        test::FileSizeLimit limit(2 * opportunity_layout::kRecordSize + 10);
        EXPECT_EQ(updater_.UpdateAds(kAllGroups), UpdateOutcome::Failed);
    }
    // What went wrong, not the download message: the ads arrived.
    EXPECT_EQ(progress_.status, "Could not write to the file bursa.db: the file is too large.");
    EXPECT_EQ(StoredIds(), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(fs::file_size(dir_ / "bursa.db"), 2 * opportunity_layout::kRecordSize);
}

TEST_F(UpdaterTest, AnUnreadableAdsFileIsNotFilledWithDuplicates)
{
    AddAds({Ad("1")});
    fs::permissions(dir_ / "bursa.db", fs::perms::owner_write, fs::perm_options::remove);
    http_.bodies[Url(kAllGroupsPath)] = "1\r\n2\r\n";
    EXPECT_EQ(updater_.UpdateAds(kAllGroups), UpdateOutcome::Failed);
    // The server was fine: the status line names the file and why.
    EXPECT_EQ(progress_.status, "Could not write to the file bursa.db: access denied.");
    EXPECT_EQ(http_.urls.size(), 2u);
}

TEST_F(UpdaterTest, AFolderTheUpdatesCannotWriteInIsNamedWithTheReason)
{
    // A program folder the company update cannot write its answer in (root
    // writes anywhere, so Temp/ is a file here): nothing is asked.
    WriteBytes(dir_ / "Temp", "");
    language_ = Language::RO;
    EXPECT_EQ(updater_.UpdateCompanies(), UpdateOutcome::Failed);
    EXPECT_TRUE(http_.urls.empty());
    const std::string temp = (dir_ / "Temp").string();
    EXPECT_EQ(progress_.status.rfind("Nu am putut scrie in dosarul " + temp + ": ", 0), 0u)
        << progress_.status;

    // The ads update: the folder where bursa.db could not be created.
    language_ = Language::EN;
    EXPECT_EQ(CannotWriteText(FileError(dir_ / "sub" / "bursa.db", FileOperation::Open, EACCES), language_),
              "Could not write in the folder " + (dir_ / "sub").string() + ": access denied.");
}

// ---------------------------------------------------------------- companies

class CompanyUpdateTest : public UpdaterTest
{
protected:
    CompanyUpdateTest() { WriteBytes(dir_ / "database.db", ""); }
    std::optional<LocalDateTime> StoredLastUpdate()
    {
        const auto bytes = settings_.ReadBinary(kSettingsKey, kLastUpdateValue);
        if (!bytes) {
            return std::nullopt;
        }
        return FromOleDate(OleDateFromBytes(*bytes).value());
    }
    void StoreLastUpdate(const LocalDateTime& when)
    {
        settings_.WriteBinary(kSettingsKey, kLastUpdateValue, OleDateBytes(ToOleDate(when)));
    }
};

TEST_F(CompanyUpdateTest, FirstUpdateAsksFrom2000AndStoresTheCurrentTime)
{
    http_.bodies[Url("/ro/select_c.php?LastUpdate=2000-01-01")] =
        CompanyLine('!', "ALFA") + "\r\n" + CompanyLine('!', "BETA") + "\r\njunk\r\n";

    EXPECT_EQ(updater_.UpdateCompanies(), UpdateOutcome::Done);

    EXPECT_EQ(http_.urls, std::vector<std::string>{Url("/ro/select_c.php?LastUpdate=2000-01-01")});
    EXPECT_EQ(fs::file_size(dir_ / "database.db"), 2 * company_layout::kRecordSize);
    EXPECT_EQ(progress_.status, "3 companies profiles was updated.");
    EXPECT_EQ(StoredLastUpdate(), now_);
    EXPECT_EQ(progress_.events.front(), "show");
    EXPECT_EQ(progress_.events.back(), "hide");

    // The next update asks from that day on.
    language_ = Language::RO;
    http_.bodies[Url("/ro/select_c.php?LastUpdate=2005-03-04")] = "";
    now_ = {2005, 3, 5, 8, 0, 0};
    EXPECT_EQ(updater_.UpdateCompanies(), UpdateOutcome::Done);
    EXPECT_EQ(progress_.status, "0 profile de companii au fost actualizate.");
    EXPECT_EQ(StoredLastUpdate(), now_);
}

TEST_F(CompanyUpdateTest, AnUnreadableLastUpdateMeans2000)
{
    http_.bodies[Url("/ro/select_c.php?LastUpdate=2000-01-01")] = "";
    for (const std::vector<std::uint8_t>& bad :
         {std::vector<std::uint8_t>{1, 2, 3}, OleDateBytes(std::numeric_limits<double>::quiet_NaN()),
          OleDateBytes(1e12)}) {
        settings_.binaries[MemorySettings::Key(kSettingsKey, kLastUpdateValue)] = bad;
        EXPECT_EQ(updater_.UpdateCompanies(), UpdateOutcome::Done);
        EXPECT_EQ(http_.urls.back(), Url("/ro/select_c.php?LastUpdate=2000-01-01"));
    }
    settings_.broken = true;
    EXPECT_EQ(updater_.UpdateCompanies(), UpdateOutcome::Done);
    EXPECT_EQ(http_.urls.back(), Url("/ro/select_c.php?LastUpdate=2000-01-01"));
}

TEST_F(CompanyUpdateTest, AMissingDatabaseAppliesNothingAndKeepsLastUpdate)
{
    fs::remove(dir_ / "database.db");
    StoreLastUpdate({2004, 11, 15, 12, 0, 0});
    http_.bodies[Url("/ro/select_c.php?LastUpdate=2004-11-15")] =
        CompanyLine('!', "A") + "\n" + CompanyLine('!', "B") + "\n";
    EXPECT_EQ(updater_.UpdateCompanies(), UpdateOutcome::DatabaseMissing);
    EXPECT_EQ(progress_.Count("box Database file does not exist"), 1);
    EXPECT_EQ(progress_.status, "<untouched>");
    EXPECT_FALSE(fs::exists(dir_ / "database.db"));
    EXPECT_EQ(StoredLastUpdate(), (LocalDateTime{2004, 11, 15, 12, 0, 0}));
}

TEST_F(CompanyUpdateTest, AnImportErrorKeepsLastUpdateAndWhatWasApplied)
{
    fs::permissions(dir_ / "database.db", fs::perms::owner_write, fs::perm_options::remove);
    http_.bodies[Url("/ro/select_c.php?LastUpdate=2000-01-01")] = CompanyLine('!', "A");
    EXPECT_EQ(updater_.UpdateCompanies(), UpdateOutcome::Failed);
    EXPECT_NE(updater_.LastError().find("database.db"), std::string::npos);
    EXPECT_EQ(progress_.status,
              "Could not open database.db file. Make sure that file exists and is not read-only");
    EXPECT_FALSE(StoredLastUpdate());
    EXPECT_EQ(progress_.events.back(), "hide");
}

TEST_F(CompanyUpdateTest, AStoreThatCannotBeWrittenDoesNotUndoTheUpdate)
{
    http_.bodies[Url("/ro/select_c.php?LastUpdate=2000-01-01")] = CompanyLine('!', "A");
    http_.beforeAnswer = [this](const std::string&) { settings_.broken = true; };
    EXPECT_EQ(updater_.UpdateCompanies(), UpdateOutcome::Done);
    EXPECT_EQ(fs::file_size(dir_ / "database.db"), company_layout::kRecordSize);
}

// ------------------------------------------------------- one update at a time

TEST_F(CompanyUpdateTest, ASecondUpdateIsRefusedWhileOneWaitsForTheNetwork)
{
    http_.bodies[Url("/ro/select_c.php?LastUpdate=2000-01-01")] = "";
    http_.bodies[Url(kAllGroupsPath)] = "";
    std::vector<UpdateOutcome> nested;
    std::vector<bool> runningSeen;
    http_.beforeAnswer = [&](const std::string&) {
        runningSeen.push_back(updater_.Running());
        const auto events = progress_.events.size();
        nested.push_back(updater_.UpdateCompanies());
        nested.push_back(updater_.UpdateAds(kAllGroups));
        EXPECT_EQ(updater_.RefreshInternetFiles().manifestFetched, false);
        EXPECT_EQ(progress_.events.size(), events);
    };

    EXPECT_EQ(updater_.UpdateCompanies(), UpdateOutcome::Done);
    EXPECT_EQ(updater_.UpdateAds(kAllGroups), UpdateOutcome::NoNewAds);

    EXPECT_EQ(nested, std::vector<UpdateOutcome>(6, UpdateOutcome::Refused));
    EXPECT_EQ(runningSeen, std::vector<bool>(3, true));
    EXPECT_EQ(http_.urls.size(), 3u);
    EXPECT_FALSE(updater_.Running());
    EXPECT_EQ(progress_.Count("show"), 2);
    EXPECT_EQ(progress_.Count("hide"), 2);
}

TEST_F(CompanyUpdateTest, TextsFollowTheLanguageChosenWhileWaiting)
{
    http_.beforeAnswer = [this](const std::string&) { language_ = Language::RO; };
    EXPECT_EQ(updater_.UpdateAds(kAllGroups), UpdateOutcome::ConnectionFailed);
    EXPECT_EQ(progress_.status, "Nu m-am putut conecta la site-ul web.");
}

} // namespace
} // namespace dorvanta
