// The whole road of an update with real parts: dorvanta-publisher's master
// fed from register snapshots and ads, its server behind nginx (started here
// on loopback ports), and dorvanta-cli updating a fresh folder through
// nginx only.

#include "cli/cli_test_util.h"
#include "register_sample.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <thread>

#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace dorvanta::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

fs::path FindNginx()
{
    for (const char* candidate : {"/usr/sbin/nginx", "/usr/bin/nginx", "/usr/local/sbin/nginx"}) {
        if (::access(candidate, X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

int FreePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), size);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(fd);
    return ntohs(address.sin_port);
}

// A program run in the background, its output into `log`; stopped by `stop`.
class Background
{
public:
    Background(std::vector<std::string> words, const fs::path& log, int stop) : stop_(stop)
    {
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(out, 1);
            ::dup2(out, 2);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
    }
    ~Background()
    {
        if (pid_ > 0) {
            ::kill(pid_, stop_);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
    }
    bool Running() const { return pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0; }

private:
    pid_t pid_ = -1;
    int stop_;
};

std::string ReplaceOnce(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The second snapshot: the first with every 7th company renamed, every 11th
// gone, every 13th struck off and a few new ones.
void DeriveSnapshot(const fs::path& from, const fs::path& to)
{
    fs::copy(from, to, fs::copy_options::recursive);
    std::istringstream rows(ReadBytes(from / "OD_FIRME.CSV"));
    std::string firms, states = ReadBytes(from / "OD_STARE_FIRMA.CSV"), row;
    for (int number = 0; std::getline(rows, row); ++number) {
        if (number == 0) {
            firms += row + "\n";
            continue;
        }
        const std::size_t name = row.find('^');
        const std::size_t cui = row.find('^', name + 1);
        const std::string registration = row.substr(cui + 1, row.find('^', cui + 1) - cui - 1);
        if (number % 11 == 0) {
            continue;
        }
        if (number % 13 == 0) {
            states += registration + "^1049\n";
        }
        if (number % 7 == 0) {
            row.insert(name, " NOU");
        }
        if (number % 97 == 0) {
            firms += "FIRMA NOUA " + std::to_string(number) + " SRL^9" + std::to_string(number) + "^J99/" +
                     std::to_string(number) + "/2026" + row.substr(row.find('^', cui + 1)) + "\n";
        }
        firms += row + "\n";
    }
    WriteBytes(to / "OD_FIRME.CSV", firms);
    WriteBytes(to / "OD_STARE_FIRMA.CSV", states);
}

RunResult Publisher(const fs::path& root, std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), {"--root", root.string()});
    return RunProgram("dorvanta-publisher", arguments);
}

RunResult Cli(const fs::path& folder, const std::string& server, std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), {"--dir", folder.string(), "--server", server});
    return RunProgram("dorvanta-cli", arguments);
}

std::size_t CountOf(const std::string& text, const std::string& what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

TEST(PublisherEndToEnd, AnInstallUpdatesThroughNginxAsADirectImportWould)
{
    const fs::path nginx = FindNginx();
    if (nginx.empty()) {
        GTEST_SKIP() << "nginx is not installed";
    }
    TempDir dir;
    const fs::path root = dir / "root";
    register_sample::WriteRegisterSnapshot(dir / "snap1", 2000, 7);
    DeriveSnapshot(dir / "snap1", dir / "snap2");
    ASSERT_EQ(Publisher(root, {"ingest-register", (dir / "snap1").string()}).exitCode, 0);

    // The server on a port it picks, nginx in front of it.
    Background server({(BinaryFolder() / "dorvanta-publisher").string(), "--root", root.string(), "serve",
                       "--listen", "127.0.0.1:0"},
                      dir / "server.log", SIGTERM);
    int serverPort = 0;
    for (int wait = 0; wait < 100 && serverPort == 0; ++wait) {
        std::this_thread::sleep_for(50ms);
        const std::string log = ReadBytes(dir / "server.log");
        if (const std::size_t at = log.find("127.0.0.1:"); at != std::string::npos) {
            serverPort = std::atoi(log.c_str() + at + 10);
        }
    }
    ASSERT_NE(serverPort, 0) << ReadBytes(dir / "server.log");

    const fs::path n = dir / "nginx";
    fs::create_directories(n / "cache");
    const int port = FreePort();
    std::string site = ReadBytes(fs::path(DORVANTA_SOURCE_DIR) / "packaging/nginx/dorvanta-publisher.conf");
    site = ReplaceOnce(site, "127.0.0.1:8080", "127.0.0.1:" + std::to_string(serverPort));
    site = ReplaceOnce(site, "/var/cache/nginx/dorvanta", (n / "cache").string());
    site = ReplaceOnce(site, "/var/lib/dorvanta-publisher/files/", (root / "files").string() + "/");
    site = ReplaceOnce(site, "listen 80;", "listen 127.0.0.1:" + std::to_string(port) + ";");
    WriteBytes(n / "site.conf", site);
    const std::string t = n.string();
    WriteBytes(n / "nginx.conf",
               std::string(::geteuid() == 0 ? "user root root;\n" : "") +
                   "daemon off;\nworker_processes 1;\npid " + t + "/nginx.pid;\nerror_log " + t +
                   "/error.log;\nevents { worker_connections 256; }\nhttp {\n" + "access_log " + t +
                   "/access.log;\nclient_body_temp_path " + t + "/body;\nproxy_temp_path " + t +
                   "/proxy;\nfastcgi_temp_path " + t + "/fastcgi;\nuwsgi_temp_path " + t + "/uwsgi;\n" +
                   "scgi_temp_path " + t + "/scgi;\ninclude " + t + "/site.conf;\n}\n");
    Background front({nginx.string(), "-p", t, "-e", t + "/error.log", "-c", t + "/nginx.conf"},
                     n / "out.log", SIGQUIT);
    httplib::Client http("127.0.0.1", port);
    bool up = false;
    for (int wait = 0; wait < 100 && !up; ++wait) {
        std::this_thread::sleep_for(50ms);
        up = static_cast<bool>(http.Get("/"));
    }
    ASSERT_TRUE(up) << ReadBytes(n / "error.log") << ReadBytes(n / "out.log");
    const std::string base = "http://127.0.0.1:" + std::to_string(port);

    // Companies: a fresh folder, then a second snapshot; a folder given both
    // snapshots directly must end the same.
    const fs::path fresh = dir / "fresh", direct = dir / "direct";
    for (const fs::path& folder : {fresh, direct}) {
        fs::create_directories(folder / "Internet");
        WriteBytes(folder / "database.db", "");
    }
    ASSERT_EQ(Cli(fresh, base, {"update-companies"}).exitCode, 0);
    ASSERT_EQ(Cli(direct, base, {"import-register", (dir / "snap1").string()}).exitCode, 0);
    EXPECT_EQ(ReadBytes(fresh / "database.db"), ReadBytes(direct / "database.db"));
    const RunResult second = Publisher(root, {"ingest-register", (dir / "snap2").string()});
    ASSERT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(second.out.find(" 0 new or changed"), std::string::npos) << second.out;
    ASSERT_EQ(Cli(fresh, base, {"update-companies"}).exitCode, 0);
    ASSERT_EQ(Cli(direct, base, {"import-register", (dir / "snap2").string()}).exitCode, 0);
    const std::string updated = ReadBytes(fresh / "database.db");
    EXPECT_GT(updated.size(), 766u * 900);
    EXPECT_TRUE(updated == ReadBytes(direct / "database.db"));

    // Ads and a published file: the second update fetches only the new ads.
    const auto ad = [](const std::string& group, const std::string& subject) {
        return "`" + group + "`Firma SRL`CJ`" + subject +
               "`2026-12-01`Text`1`Ion`0721`-`ion@firma.ro`firma.ro`\n";
    };
    WriteBytes(dir / "ads1.txt", ad("a", "Vând mere") + ad("c", "Caut pere") + ad("j", "Servicii"));
    ASSERT_EQ(Publisher(root, {"add-ad", (dir / "ads1.txt").string()}).exitCode, 0);
    WriteBytes(dir / "start.htm", "<html>start</html>");
    ASSERT_EQ(Publisher(root, {"publish-file", "companies_EN.htm", "2", (dir / "start.htm").string(),
                               "--public-url", base})
                  .exitCode,
              0);
    ASSERT_EQ(Cli(fresh, base, {"update-ads"}).exitCode, 0);
    EXPECT_EQ(fs::file_size(fresh / "bursa.db"), 3u * 578);
    EXPECT_EQ(ReadBytes(fresh / "Internet" / "companies_EN.htm"), "<html>start</html>");
    WriteBytes(dir / "ads2.txt", ad("b", "Vând lemn") + ad("a", "Caut mere"));
    ASSERT_EQ(Publisher(root, {"add-ad", (dir / "ads2.txt").string()}).exitCode, 0);
    // The identifier list stays fresh in the cache for a second, counted in whole seconds.
    std::this_thread::sleep_for(2100ms);
    const std::size_t before = CountOf(ReadBytes(n / "access.log"), "option=one");
    ASSERT_EQ(Cli(fresh, base, {"update-ads"}).exitCode, 0);
    EXPECT_EQ(CountOf(ReadBytes(n / "access.log"), "option=one") - before, 2u);
    EXPECT_EQ(fs::file_size(fresh / "bursa.db"), 5u * 578);

    // Bad queries are refused and the server stays up.
    for (const auto& [target, status] : std::vector<std::pair<std::string, int>>{
             {"/ro/select_c.php?LastUpdate=2026-02-30", 400},
             {"/ro/select_c.php?LastUpdate=2026-12-01%27%20OR%201=1", 400},
             {"/ro/select_c.php", 400},
             {"/ro/select_o.php?option=one&id=1%27%20OR%20%271%27=%271", 404},
             {"/ro/select_o.php?option=one&id=1;DROP%20TABLE%20ad", 404},
             {"/ro/select_o.php?option=all&a11=1", 400},
             {"/ro/select_c.php?LastUpdate=" + std::string(10000, '9'), 414},
             {"/ro/select_c.php?LastUpdate=2999-01-01", 200}}) {
        const auto answer = http.Get(target);
        ASSERT_TRUE(answer) << target;
        EXPECT_EQ(answer->status, status) << target;
    }
    EXPECT_TRUE(server.Running());
    const auto manifest = http.Get("/ro/update.txt");
    ASSERT_TRUE(manifest);
    EXPECT_EQ(manifest->body, "!2;companies_EN.htm;" + base + "/files/companies_EN.htm\n");

    // A repeated request is answered from the cache (within its second of freshness).
    bool hit = false;
    for (int attempt = 0; attempt < 3 && !hit; ++attempt) {
        http.Get("/ro/select_c.php?LastUpdate=2000-01-01");
        const auto again = http.Get("/ro/select_c.php?LastUpdate=2000-01-01");
        hit = again && again->get_header_value("X-Cache-Status") == "HIT";
    }
    EXPECT_TRUE(hit);
}

} // namespace
} // namespace dorvanta::test
