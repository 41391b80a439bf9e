// The update and import commands of dorvanta-cli, run as a user would, against
// the publisher stand-in, with the settings kept in a temporary folder.
#include "cli/cli_test_util.h"
#include "support/file_size_limit.h"
#include "support/publisher_stub.h"
#include "support/raw_http_server.h"

#include "data/record_layout.h"
#include "data/text.h"
#include "import/record_import.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <zlib.h>

namespace dorvanta {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::PublisherStub;
using test::ReadBytes;
using test::RunCli;
using test::RunResult;
using test::TempDir;
using test::WriteBytes;
using Fault = PublisherStub::Fault;

// Points the user's configuration folder (where the settings store keeps its
// file) at a temporary folder for the programs this test starts.
class ScopedConfigHome
{
public:
    explicit ScopedConfigHome(const fs::path& folder)
    {
        for (const char* name : {"XDG_CONFIG_HOME", "HOME"}) {
            const char* old = std::getenv(name);
            saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
            setenv(name, folder.c_str(), 1);
        }
    }
    ~ScopedConfigHome()
    {
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

std::string CompanyLine(char prefix, const std::string& name)
{
    return std::string(1, prefix) + name + "`B`Str. 1`Ion`07``````a.c.21*s````about`";
}

std::string Ad(const std::string& id)
{
    return id + "`c`Firma`CJ`Subject`2005-01-01`Text`2`Ion`0264`0265`a@b.ro`www.b.ro`";
}

std::string Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

// `text` as a server that compresses unasked sends it: gzip, or zlib's
// format for the coding "deflate".
std::string Compressed(const std::string& text, bool gzip)
{
    z_stream stream{};
    EXPECT_EQ(
        deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, gzip ? 16 + 15 : 15, 8, Z_DEFAULT_STRATEGY),
        Z_OK);
    std::string out(deflateBound(&stream, static_cast<uLong>(text.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

test::RawHttpServer::Answer EncodedAnswer(const std::string& coding, const std::string& body)
{
    return {"HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Encoding: " + coding +
                "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body,
            true};
}

std::vector<std::string> StoredIds(const fs::path& folder)
{
    // A missing file holds no ads.
    try {
        return LoadOpportunityIds(folder);
    } catch (const FileError&) {
        return {};
    }
}

// Runs dorvanta-cli in `dir` with standard error on a terminal (a pseudo-
// terminal whose output is collected in `err`) and standard output in a file.
RunResult RunCliOnTerminal(const TempDir& dir, const std::vector<std::string>& arguments)
{
    RunResult result;
    TempDir scratch;
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        ADD_FAILURE() << "no pseudo-terminal";
        return result;
    }
    const std::string terminal = ::ptsname(master);
    std::vector<std::string> words{(test::BinaryFolder() / "dorvanta-cli").string(), "--dir",
                                   dir.path().string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const std::string outPath = (scratch / "out").string();
    const pid_t child = ::fork();
    if (child == 0) {
        const int err = ::open(terminal.c_str(), O_RDWR | O_NOCTTY);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (err < 0 || out < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) {
            ::_exit(126);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    // Read while the child writes, so it never blocks on a full terminal.
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(master, buffer, sizeof buffer);
        if (got <= 0) {
            break; // EIO once the child has closed the terminal
        }
        result.err.append(buffer, static_cast<std::size_t>(got));
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
    }
    ::close(master);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadBytes(outPath);
    return result;
}

class UpdateCommandsTest : public ::testing::Test
{
protected:
    UpdateCommandsTest() : config_(home_.path()) { fs::create_directory(dir_ / "Internet"); }

    RunResult Run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"--server", stub_.BaseUrl()});
        return RunCli(dir_, arguments);
    }

    TempDir dir_;
    TempDir home_;
    ScopedConfigHome config_;
    PublisherStub stub_;
};

TEST_F(UpdateCommandsTest, UpdateCompaniesRemembersTheDateForTheNextRun)
{
    WriteBytes(dir_ / "database.db", "");
    stub_.SetCompanyAnswer(CompanyLine('!', "ALFA") + "\r\n" + CompanyLine('!', "BETA") + "\r\n");

    const RunResult first = Run({"update-companies"});
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.out, "2 companies profiles was updated.\n");
    EXPECT_EQ(fs::file_size(dir_ / "database.db"), 2 * company_layout::kRecordSize);

    const RunResult second = Run({"--lang", "RO", "update-companies"});
    EXPECT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(second.out, "2 profile de companii au fost actualizate.\n");
    EXPECT_EQ(stub_.DecodedTargets(), (std::vector<std::string>{"/ro/select_c.php?LastUpdate=2000-01-01",
                                                                "/ro/select_c.php?LastUpdate=" + Today()}));
    EXPECT_EQ(fs::file_size(dir_ / "database.db"), 2 * company_layout::kRecordSize);
}

TEST_F(UpdateCommandsTest, EachFolderKeepsTheStateOfItsOwnUpdates)
{
    WriteBytes(dir_ / "database.db", "");
    stub_.SetCompanyAnswer(CompanyLine('!', "ALFA") + "\r\n");
    stub_.SetManifest("!1;start.htm;" + stub_.BaseUrl() + "/files/start.htm\n");
    stub_.SetFile("/files/start.htm", "start");
    stub_.SetIdList("!\r\n");
    ASSERT_EQ(Run({"update-companies"}).exitCode, 0);
    ASSERT_EQ(Run({"update-ads"}).exitCode, 0);

    // A second folder of the same user (--dir, DORVANTA_DIR, a portable
    // copy) has updated nothing yet: it asks for everything.
    TempDir second;
    fs::create_directory(second / "Internet");
    WriteBytes(second / "database.db", "");
    stub_.ClearRequests();
    const auto runIn = [this](const TempDir& folder, const std::string& command) {
        return RunCli(folder, {"--server", stub_.BaseUrl(), command}).exitCode;
    };
    EXPECT_EQ(runIn(second, "update-companies"), 0);
    EXPECT_EQ(runIn(second, "update-ads"), 0);
    EXPECT_EQ(ReadBytes(second / "Internet" / "start.htm"), "start");
    // The first keeps its own date and versions.
    EXPECT_EQ(runIn(dir_, "update-companies"), 0);
    EXPECT_EQ(runIn(dir_, "update-ads"), 0);
    EXPECT_EQ(stub_.DecodedTargets(),
              (std::vector<std::string>{
                  "/ro/select_c.php?LastUpdate=2000-01-01", "/ro/update.txt", "/files/start.htm",
                  "/ro/select_o.php?option=all&a1=1&a2=1&a3=1&a4=1&a5=1&a6=1&a7=1&a8=1&a9="
                  "1&a10=1",
                  "/ro/select_c.php?LastUpdate=" + Today(), "/ro/update.txt",
                  "/ro/select_o.php?option=all&a1=1&a2=1&a3=1&a4=1&a5=1&a6=1&a7=1&a8=1&a9="
                  "1&a10=1"}));
    EXPECT_TRUE(fs::exists(second / "state.ini"));
}

TEST_F(UpdateCommandsTest, UpdateCompaniesFailuresHaveTheirExitCodes)
{
    stub_.SetCompanyAnswer(CompanyLine('!', "ALFA"));
    const RunResult missing = Run({"update-companies"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("Database file does not exist"), std::string::npos) << missing.err;
    EXPECT_EQ(missing.out, "");

    WriteBytes(dir_ / "database.db", "");
    stub_.SetFault("/ro/select_c.php", Fault::Status500);
    const RunResult failed = Run({"update-companies"});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.out, "Could not connect to web site.\n");

    // Neither run stored a date: the next one still asks from the start.
    stub_.SetFault("/ro/select_c.php", Fault::None);
    EXPECT_EQ(Run({"update-companies"}).exitCode, 0);
    EXPECT_EQ(stub_.DecodedTargets().back(), "/ro/select_c.php?LastUpdate=2000-01-01");
}

TEST_F(UpdateCommandsTest, UpdateCompaniesShowsProgressOnATerminalOnly)
{
    WriteBytes(dir_ / "database.db", "");
    std::string answer;
    for (int i = 0; i < 2000; ++i) {
        answer += CompanyLine('!', "FIRMA " + std::to_string(i)) + "\r\n";
    }
    stub_.SetCompanyAnswer(answer);
    const std::vector<std::string> arguments{"--server", stub_.BaseUrl(), "update-companies"};

    const RunResult piped = RunCli(dir_, arguments);
    EXPECT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(piped.out, "2000 companies profiles was updated.\n");
    EXPECT_EQ(piped.err, "");

    const RunResult terminal = RunCliOnTerminal(dir_, arguments);
    EXPECT_EQ(terminal.exitCode, 0) << terminal.err;
    EXPECT_EQ(terminal.out, "2000 companies profiles was updated.\n");
    // The last state of each line is shown before the line ends.
    char received[64];
    std::snprintf(received, sizeof received, "Received %.1f MB of %.1f MB", answer.size() / 1e6,
                  answer.size() / 1e6);
    EXPECT_NE(terminal.err.find(received), std::string::npos) << terminal.err;
    EXPECT_NE(terminal.err.find("Applied 2000 records of 2000 lines"), std::string::npos) << terminal.err;

    std::vector<std::string> romanian{"--lang", "RO"};
    romanian.insert(romanian.end(), arguments.begin(), arguments.end());
    const RunResult ro = RunCliOnTerminal(dir_, romanian);
    EXPECT_NE(ro.err.find("Aplicate 2000 inregistrari din 2000 linii"), std::string::npos) << ro.err;
    EXPECT_EQ(ro.err.find("Received"), std::string::npos) << ro.err;
}

TEST_F(UpdateCommandsTest, UpdateAdsAsksForTheChosenGroupsAndShowsProgress)
{
    stub_.SetManifest("!1;start.htm;" + stub_.BaseUrl() + "/files/start.htm\n");
    stub_.SetFile("/files/start.htm", "start");
    stub_.SetIdList("1\r\n2\r\n");
    stub_.SetAd("1", Ad("1"));
    stub_.SetAd("2", Ad("2"));

    const RunResult result = Run({"update-ads", "--groups", "cE"});

    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "2 records was added. Your database is updated.\n");
    EXPECT_NE(result.err.find("2/2"), std::string::npos) << result.err;
    EXPECT_EQ(stub_.DecodedTargets(), (std::vector<std::string>{"/ro/update.txt", "/files/start.htm",
                                                                "/ro/select_o.php?option=all&a3=1&a5=1",
                                                                "/ro/select_o.php?option=one&id=1",
                                                                "/ro/select_o.php?option=one&id=2"}));
    EXPECT_EQ(ReadBytes(dir_ / "Internet" / "start.htm"), "start");
    EXPECT_EQ(StoredIds(dir_.path()), (std::vector<std::string>{"1", "2"}));

    // The installed version was stored: the second run downloads nothing.
    stub_.ClearRequests();
    const RunResult again = Run({"update-ads"});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, "0 records was added. Your database is updated.\n");
    EXPECT_EQ(stub_.DecodedTargets(),
              (std::vector<std::string>{
                  "/ro/update.txt",
                  "/ro/select_o.php?option=all&a1=1&a2=1&a3=1&a4=1&a5=1&a6=1&a7=1&a8=1&a9=1&a10=1"}));
}

TEST_F(UpdateCommandsTest, UpdateAdsReportsErrorsAndRefusesBadGroups)
{
    stub_.SetIdList("1\r\n2\r\n");
    stub_.SetAd("1", Ad("1"));
    const RunResult partly = Run({"update-ads"});
    EXPECT_EQ(partly.exitCode, 1);
    EXPECT_EQ(partly.out, "Errors occured while downloading informations. Please try again.\n");
    EXPECT_EQ(StoredIds(dir_.path()), std::vector<std::string>{"1"});

    stub_.SetFault("/ro/select_o.php?option=all", Fault::DropMidBody);
    const RunResult broken = Run({"--lang", "RO", "update-ads"});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_EQ(broken.out, "Nu m-am putut conecta la site-ul web.\n");

    stub_.ClearRequests();
    for (const char* bad : {"k", "", "a,b"}) {
        const RunResult refused = Run({"update-ads", "--groups", bad});
        EXPECT_NE(refused.exitCode, 0) << bad;
    }
    EXPECT_TRUE(stub_.Requests().empty());
}

TEST_F(UpdateCommandsTest, ImportCompaniesAppliesAFileAsAnAnswer)
{
    const fs::path lines = home_ / "companies.txt";
    WriteBytes(lines, CompanyLine('!', "ALFA") + "\r\njunk\n" + CompanyLine('@', "alfa") + "\n");

    const RunResult missing = RunCli(dir_, {"import-companies", lines.string()});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("Database file does not exist"), std::string::npos);

    WriteBytes(dir_ / "database.db", "");
    const RunResult result = RunCli(dir_, {"import-companies", lines.string()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "3 companies profiles was updated.\n");
    // Added and blanked in one answer: no record, not even a blank one.
    EXPECT_EQ(ReadBytes(dir_ / "database.db"), "");

    EXPECT_EQ(RunCli(dir_, {"import-companies", (home_ / "none.txt").string()}).exitCode, 2);
    EXPECT_EQ(RunCli(dir_, {"import-companies", home_.path().string()}).exitCode, 2);
    fs::permissions(dir_ / "database.db", fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(RunCli(dir_, {"import-companies", lines.string()}).exitCode, 2);
}

TEST_F(UpdateCommandsTest, ImportAdsAppendsEachLine)
{
    const fs::path lines = home_ / "ads.txt";
    WriteBytes(lines, Ad("1") + "\r\n" + Ad("2") + "\n");

    const RunResult result = RunCli(dir_, {"import-ads", lines.string()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "2 records was added. Your database is updated.\n");
    EXPECT_EQ(StoredIds(dir_.path()), (std::vector<std::string>{"1", "2"}));

    EXPECT_EQ(RunCli(dir_, {"import-ads", (home_ / "none.txt").string()}).exitCode, 2);
    // A device could be endless: it is refused, not read.
    for (const char* command : {"import-ads", "import-companies"}) {
        const RunResult device = RunCli(dir_, {command, "/dev/null"});
        EXPECT_EQ(device.exitCode, 2) << command;
        EXPECT_NE(device.err.find("Not a regular file: /dev/null"), std::string::npos) << device.err;
    }
    EXPECT_EQ(StoredIds(dir_.path()).size(), 2u);

    fs::permissions(dir_ / "bursa.db", fs::perms::owner_write, fs::perm_options::remove);
    const RunResult readOnly = RunCli(dir_, {"import-ads", lines.string()});
    EXPECT_EQ(readOnly.exitCode, 2);
    EXPECT_NE(readOnly.err.find("bursa.db"), std::string::npos);
}

TEST_F(UpdateCommandsTest, AStoppedUpdateTakesItsAnswerWithIt)
{
    WriteBytes(dir_ / "database.db", "");
    stub_.SetCompanyAnswer(std::string(100000, '!'));
    stub_.SetFault("/ro/select_c.php", Fault::Trickle, 20ms);
    const auto answers = [this] {
        std::size_t count = 0;
        for (const auto& entry : fs::directory_iterator(dir_ / "Temp")) {
            count += entry.path().filename().string().starts_with("companies-");
        }
        return count;
    };
    for (const int signal : {SIGINT, SIGTERM}) {
        std::vector<std::string> words{(test::BinaryFolder() / "dorvanta-cli").string(),
                                       "--dir",
                                       dir_.path().string(),
                                       "--server",
                                       stub_.BaseUrl(),
                                       "update-companies"};
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            ::dup2(null, 2);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        // Stopped once the answer has begun to arrive.
        for (int i = 0; i < 500 && !(fs::exists(dir_ / "Temp") && answers() == 1); ++i) {
            std::this_thread::sleep_for(10ms);
        }
        EXPECT_EQ(answers(), 1u);
        ::kill(child, signal);
        int status = 0;
        while (::waitpid(child, &status, 0) < 0) {
        }
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_EQ(answers(), 0u) << "the answer of a stopped update was left in Temp/";
    }
    // A killed update cannot clean up: the next one does.
    WriteBytes(dir_ / "Temp" / "companies-77.tmp", "left by a kill");
    stub_.SetFault("/ro/select_c.php", Fault::None);
    stub_.SetCompanyAnswer(CompanyLine('!', "ALFA"));
    EXPECT_EQ(Run({"update-companies"}).exitCode, 0);
    EXPECT_EQ(answers(), 0u);
}

TEST_F(UpdateCommandsTest, UpdateCompaniesReadsAnAnswerCompressedUnaskedAndRefusesAnUnknownCoding)
{
    WriteBytes(dir_ / "database.db", "");
    const std::string two = CompanyLine('!', "ALFA") + "\r\n" + CompanyLine('!', "BETA") + "\r\n";
    test::RawHttpServer server(
        {EncodedAnswer("br", Compressed(two, true)), EncodedAnswer("gzip", Compressed(two, true)),
         EncodedAnswer("deflate", Compressed(CompanyLine('!', "GAMA") + "\r\n", false))});
    const std::vector<std::string> update{"--server", server.BaseUrl(), "update-companies"};

    // A coding the program cannot read is a failed request: nothing
    // applied, and the date stays, so the next update asks again.
    const RunResult unknown = RunCli(dir_, update);
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.out, "Could not connect to web site.\n");
    EXPECT_EQ(unknown.err, "the answer is compressed as br, which the program cannot read\n");
    EXPECT_EQ(fs::file_size(dir_ / "database.db"), 0u);

    const RunResult gzip = RunCli(dir_, update);
    EXPECT_EQ(gzip.exitCode, 0) << gzip.err;
    EXPECT_EQ(gzip.out, "2 companies profiles was updated.\n");
    const RunResult deflate = RunCli(dir_, update);
    EXPECT_EQ(deflate.exitCode, 0) << deflate.err;
    EXPECT_EQ(deflate.out, "1 companies profiles was updated.\n");
    EXPECT_EQ(fs::file_size(dir_ / "database.db"), 3 * company_layout::kRecordSize);

    const std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_NE(requests[1].find("LastUpdate=2000-01-01 "), std::string::npos) << requests[1];
    for (const std::string& request : requests) {
        // Compression is never asked for.
        EXPECT_EQ(ToLowerAZ(request).find("accept-encoding"), std::string::npos) << request;
    }
}

TEST_F(UpdateCommandsTest, FailedRequestsSayWhyOnStandardErrorInTheLanguage)
{
    WriteBytes(dir_ / "database.db", "");
    const std::string moved = "HTTP/1.1 301 Moved Permanently\r\nLocation: https://www.dorvanta.ro/ro/"
                              "select_c.php\r\nContent-Length: 0\r\n\r\n";
    test::RawHttpServer redirecting({{moved, true}, {moved, true}});
    std::string nobody;
    {
        test::RawHttpServer gone({});
        nobody = gone.BaseUrl();
    }
    stub_.SetIdList("1\r\n");
    struct Case
    {
        std::string server;
        std::string command;
        std::string english;
        std::string romanian;
    };
    const Case cases[] = {
        {redirecting.BaseUrl(), "update-companies", "HTTP 301 to https://www.dorvanta.ro/ro/select_c.php",
         "HTTP 301 catre https://www.dorvanta.ro/ro/select_c.php"},
        {nobody, "update-companies", "connection refused", "conexiune refuzata"},
        // The identifier list arrives; the one ad it names is not found.
        {stub_.BaseUrl(), "update-ads", "HTTP 404", "HTTP 404"},
    };
    for (const Case& c : cases) {
        for (const bool english : {true, false}) {
            const RunResult result =
                RunCli(dir_, {"--lang", english ? "EN" : "RO", "--server", c.server, c.command});
            EXPECT_EQ(result.exitCode, 1) << c.command << result.err;
            // The last line: the ads update counts its requests there first.
            const std::string expected = (english ? c.english : c.romanian) + "\n";
            EXPECT_TRUE(result.err.ends_with("\n" + expected) || result.err == expected) << result.err;
            // The status line keeps its words.
            EXPECT_NE(result.out, "") << c.server;
        }
    }
}

TEST_F(UpdateCommandsTest, OnAFullDiskTheUpdatesExitAsAFileErrorAndSaySoInTheLanguage)
{
    SKIP_WITHOUT_FILE_SIZE_LIMIT();
    WriteBytes(dir_ / "database.db", "");
    std::string answer;
    for (int i = 0; i < 200; ++i) {
        answer += CompanyLine('!', "FIRMA " + std::to_string(i)) + "\r\n";
    }
    stub_.SetCompanyAnswer(answer);
    stub_.SetIdList("1\r\n2\r\n");
    stub_.SetAd("1", Ad("1"));
    stub_.SetAd("2", Ad("2"));
    RunResult companies;
    RunResult ads;
    {
        // Room for one ad record, and for a part of the company answer.
        test::FileSizeLimit limit(opportunity_layout::kRecordSize + 10);
        companies = Run({"--lang", "RO", "update-companies"});
        ads = Run({"update-ads"});
    }
    EXPECT_EQ(companies.exitCode, 2);
    EXPECT_EQ(companies.out.rfind("Nu am putut scrie in fisierul companies-", 0), 0u) << companies.out;
    EXPECT_NE(companies.out.find(".tmp: fisierul este prea mare.\n"), std::string::npos) << companies.out;
    EXPECT_EQ(companies.err, "");
    EXPECT_EQ(fs::file_size(dir_ / "database.db"), 0u);

    EXPECT_EQ(ads.exitCode, 2);
    EXPECT_EQ(ads.out, "Could not write to the file bursa.db: the file is too large.\n");
    EXPECT_EQ(StoredIds(dir_.path()), std::vector<std::string>{"1"});
}

} // namespace
} // namespace dorvanta
