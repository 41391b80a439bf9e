// The HTTP client against servers that misbehave in ways a well-kept HTTP
// library would never: broken header lines, trickled answers, answers larger
// than the limit of the small requests.
#include "net/http_client.h"

#include "support/publisher_stub.h"
#include "support/raw_http_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace dorvanta {
namespace {

using test::PublisherStub;
using namespace std::chrono_literals;

HttpOptions ShortTimeouts()
{
    HttpOptions options;
    options.connectTimeout = 5s;
    options.lowSpeedWindow = 5s;
    return options;
}

TEST(HttpClient, AFoldedFirstHeaderLineAfterAGoodAnswerIsACleanError)
{
    // A header line folded into the status line, sent on the connection that
    // carried a good answer, once made libcurl read freed memory when the
    // client reused its easy handle (seen under AddressSanitizer).
    test::RawHttpServer server({{"HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"},
                                {"HTTP/1.1 200 OK\n a\rX: 1\r\n\r\n", true},
                                {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nagain"}});
    auto client = MakeCurlHttpClient(ShortTimeouts());

    EXPECT_EQ(client->Get(server.BaseUrl() + "/ro/update.txt"), "ok");
    EXPECT_THROW(client->Get(server.BaseUrl() + "/ro/update.txt"), HttpError);
    EXPECT_EQ(client->Get(server.BaseUrl() + "/ro/update.txt"), "again");
    EXPECT_EQ(server.Requests().size(), 3u);
}

TEST(HttpClient, GivesUpOnASilentOrTricklingServerButNotOnASlowSteadyOne)
{
    HttpOptions options = ShortTimeouts();
    options.lowSpeedBytes = 1024;
    options.lowSpeedWindow = 500ms;
    auto client = MakeCurlHttpClient(options);
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 6000\r\n\r\n";
    const std::string body(6000, 'x');
    // 20 bytes every 50 ms: 200 bytes in any window, far below the limit,
    // although a byte arrives well within every window.
    test::RawHttpServer trickling({{head + body, false, 20, 50ms}});
    // 250 bytes every 50 ms: 2,500 bytes in any window; it takes about
    // 1.2 s, longer than the window, and must still arrive whole.
    test::RawHttpServer steady({{head + body, false, 250, 50ms}});
    PublisherStub silent;
    silent.SetManifest("late");
    silent.SetFault("/ro/update.txt", PublisherStub::Fault::Slow, 20s);

    for (const auto& [url, reason] :
         {std::pair{trickling.BaseUrl() + "/ro/update.txt", "fewer than 1024 bytes in 0.5 s"},
          {silent.BaseUrl() + "/ro/update.txt", "no answer for 0.5 s"}}) {
        const auto start = std::chrono::steady_clock::now();
        try {
            client->Get(url);
            ADD_FAILURE() << url;
        } catch (const HttpTimeout& error) {
            EXPECT_EQ(HttpFailureText(error, Language::EN), reason);
        }
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_GE(took, 450ms) << url;
        EXPECT_LT(took, 3s) << url;
    }
    EXPECT_EQ(client->Get(steady.BaseUrl() + "/ro/update.txt"), body);
}

TEST(HttpClient, OnlyTheLargeDownloadPassesTheBodyLimitAndReportsItsProgress)
{
    PublisherStub stub;
    const std::string large(300'000, 'L');
    stub.SetCompanyAnswer(large);
    stub.SetFile("/chunked.txt", large);
    stub.SetFault("/chunked.txt", PublisherStub::Fault::Chunked);
    HttpOptions options = ShortTimeouts();
    options.maxBodyBytes = 100'000;
    auto client = MakeCurlHttpClient(options);
    const std::string url = stub.BaseUrl() + "/ro/select_c.php?LastUpdate=2000-01-01";

    std::ostringstream limited;
    EXPECT_THROW(client->GetToStream(url, limited), HttpError);

    for (const auto& [address, announced] :
         {std::pair{url, large.size()}, {stub.BaseUrl() + "/chunked.txt", 0ul}}) {
        std::ostringstream whole;
        std::vector<std::pair<std::uint64_t, std::uint64_t>> calls;
        client->GetLargeToStream(address, whole, [&](std::uint64_t received, std::uint64_t total) {
            calls.emplace_back(received, total);
        });
        EXPECT_EQ(whole.str(), large) << address;
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back(), std::make_pair(std::uint64_t{large.size()}, std::uint64_t{announced}));
        EXPECT_TRUE(std::is_sorted(calls.begin(), calls.end()));
    }
}

} // namespace
} // namespace dorvanta
