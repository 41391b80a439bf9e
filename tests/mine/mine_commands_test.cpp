// dorvanta-cli's list and note commands, and the searches' --format, run as a
// user runs them.

#include "cli/cli_test_util.h"
#include "data/utf8_path.h"

#include <optional>

namespace dorvanta::test {
namespace {

// Points the place of the user's settings somewhere else while it lives; the
// programs started meanwhile inherit it.
class SettingsHomeOverride
{
public:
    explicit SettingsHomeOverride(const std::filesystem::path& folder)
    {
        if (const char* old = std::getenv(kVariable)) {
            old_ = old;
        }
#ifdef _WIN32
        ::_wputenv_s(kWideVariable, folder.c_str());
#else
        ::setenv(kVariable, folder.c_str(), 1);
#endif
    }
    ~SettingsHomeOverride()
    {
#ifdef _WIN32
        ::_wputenv_s(kWideVariable, old_ ? PathFromUtf8(*old_).c_str() : L"");
#else
        old_ ? ::setenv(kVariable, old_->c_str(), 1) : ::unsetenv(kVariable);
#endif
    }

private:
#ifdef _WIN32
    static constexpr const char* kVariable = "APPDATA";
    static constexpr const wchar_t* kWideVariable = L"APPDATA";
#else
    static constexpr const char* kVariable = "XDG_CONFIG_HOME";
#endif
    std::optional<std::string> old_;
};

class MineCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CompanyRecord acme = Company("ACME SRL", "CJ");
        acme.Phone = "0264-111222";
        acme.Description = "Pompe, \"robinete\"";
        WriteCompanies(dir / "database.db", {acme,
                                             Company("Flori\xAA"
                                                     "or SA",
                                                     "B"),
                                             Company("GAMMA SRL", "AB")});
    }

    RunResult Run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"--mine", (dir / "mine.sqlite").string()});
        return RunCli(dir, arguments);
    }

    TempDir dir;
};

TEST_F(MineCommands, ListsAndNotesFollowTheCompanyAndShowWhatIsGone)
{
    EXPECT_EQ(Run({"list", "create", "Clien\xC8\x9Bi"}).exitCode, 0);
    EXPECT_EQ(Run({"list", "create", "Clien\xC8\x9Bi"}).exitCode, 1);
    // A name that is not in the directory adds nothing, not even the good ones.
    RunResult run = Run({"list", "add", "Clien\xC8\x9Bi", "0", "NO SUCH SRL"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("NO SUCH SRL"), std::string::npos);
    EXPECT_EQ(Run({"list", "show", "Clien\xC8\x9Bi"}).out, "");

    EXPECT_EQ(Run({"list", "add", "Clien\xC8\x9Bi", "0", "FLORI\xC5\x9EOR sa"}).exitCode,
              0); // any case, UTF-8
    EXPECT_EQ(Run({"note", "acme srl", "sun\xC4\x83 luni"}).exitCode, 0);
    EXPECT_EQ(Run({"note", "ACME SRLL", "typing mistake"}).exitCode, 1);
    run = Run({"note", "0"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "sun\xC4\x83 luni\n");
    EXPECT_EQ(Run({"list", "show"}).out, "Favourites\t0\nClien\xC8\x9Bi\t2\n");
    EXPECT_EQ(Run({"list", "show", "Clien\xC8\x9Bi"}).out,
              "0\tACME SRL\tsun\xC4\x83 luni\n1\tFlori\xC5\x9Eor SA\t\n");

    // An update blanks the first company: the entry and its note stay, marked gone.
    CompanyRecord blank;
    WriteCompanies(dir / "database.db", {blank,
                                         Company("Flori\xAA"
                                                 "or SA",
                                                 "B"),
                                         Company("GAMMA SRL")});
    run = Run({"list", "show", "Clien\xC8\x9Bi"});
    EXPECT_EQ(run.out, "gone\tACME SRL\tsun\xC4\x83 luni\n1\tFlori\xC5\x9Eor SA\t\n");
    EXPECT_NE(run.err.find("1 of the 2 companies"), std::string::npos);
    EXPECT_EQ(Run({"list", "export", "Clien\xC8\x9Bi", (dir / "c.csv").string()}).exitCode, 0);
    EXPECT_NE(ReadBytes(dir / "c.csv").find("\r\n,ACME SRL,"), std::string::npos);
    EXPECT_EQ(Run({"list", "export", "Clien\xC8\x9Bi", (dir / "c.txt").string()}).exitCode, 2);

    EXPECT_EQ(Run({"note", "ACME SRL", ""}).exitCode, 0);
    EXPECT_EQ(Run({"note", "ACME SRL"}).exitCode, 1);
    EXPECT_EQ(Run({"list", "remove", "Clien\xC8\x9Bi", "ACME SRL"}).exitCode, 0);
    EXPECT_EQ(Run({"list", "delete", "Clien\xC8\x9Bi"}).exitCode, 0);
    EXPECT_EQ(Run({"list", "show", "Clien\xC8\x9Bi"}).exitCode, 1);
}

TEST_F(MineCommands, TheListsFileLivesBesideTheSettingsEvenInAFolderNamedInRomanian)
{
    // Ştefan: the name reaches SQLite as UTF-8 and the system as wide text.
    const auto home = dir.path() / PathFromUtf8("Utilizatori/\xC8\x98tefan \xC3\x8En\xC8\x9B" "eleptul");
    const SettingsHomeOverride override(home);
    ASSERT_EQ(RunCli(dir, {"note", "ACME SRL", "call on monday"}).exitCode, 0);
    EXPECT_TRUE(std::filesystem::is_regular_file(home / "Dorvanta" / "mine.sqlite"));
    EXPECT_NE(RunCli(dir, {"note", "ACME SRL"}).out.find("call on monday"), std::string::npos);
}

TEST_F(MineCommands, ADamagedListsFileIsReportedAndLeftAlone)
{
    WriteBytes(dir / "mine.sqlite", "not a database at all, but someone's notes");
    const RunResult run = Run({"note", "0", "x"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("damaged"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir / "mine.sqlite"), "not a database at all, but someone's notes");
}

TEST_F(MineCommands, SearchFormatsPrintEveryFieldOfTheRecordsFound)
{
    RunResult run = RunCli(dir, {"search-companies", "--name", "acme", "--format", "csv"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "RecordNumber,Company,County,Address,Representative,Mobile,Phone,Fax,Email,Web,Activity1,"
              "Activity2,Activity3,Activity4,Description\r\n"
              "0,ACME SRL,CJ,,,,0264-111222,,,,,,,,\"Pompe, \"\"robinete\"\"\"\r\n");
    run = RunCli(dir, {"search-companies", "--name", "acme", "--format", "json"});
    EXPECT_NE(run.out.find("{\"RecordNumber\":0,\"Company\":\"ACME SRL\",\"County\":\"CJ\""),
              std::string::npos);
    EXPECT_NE(run.out.find("\"Description\":\"Pompe, \\\"robinete\\\"\"}\n]\n"), std::string::npos);
    run = RunCli(dir, {"search-companies", "--name", "nothing", "--format", "json"});
    EXPECT_EQ(run.out, "[]\n");
    EXPECT_EQ(run.exitCode, 1);
}

} // namespace
} // namespace dorvanta::test
