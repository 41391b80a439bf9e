#include "support/publisher_stub.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <thread>

namespace dorvanta::test {
namespace {

using namespace std::chrono_literals;

// A client other than the program's, sending targets exactly as written.
httplib::Client ClientFor(const PublisherStub& stub)
{
    httplib::Client client("127.0.0.1", stub.Port());
    client.set_url_encode(false);
    client.set_keep_alive(false);
    return client;
}

TEST(PublisherStub, ServesEachAnswerOnItsRoute)
{
    PublisherStub stub;
    stub.SetManifest("manifest");
    stub.SetIdList("7\r\n 42\r\n");
    stub.SetAd("7", "ad seven");
    stub.SetAd(" 42", "ad with a space");
    stub.SetAd("a+b", "ad with a plus");
    stub.SetCompanyAnswer("companies");
    stub.SetFile("/files/c1.swf", std::string("\0\xff movie", 8));
    auto client = ClientFor(stub);

    const auto body = [&client](const std::string& target) {
        auto result = client.Get(target.c_str());
        return result ? std::to_string(result->status) + " " + result->body : std::string("no answer");
    };
    EXPECT_EQ(body("/ro/update.txt"), "200 manifest");
    EXPECT_EQ(body("/ro/select_o.php?option=all&a1=1&a10=1"), "200 7\r\n 42\r\n");
    EXPECT_EQ(body("/ro/select_o.php?option=one&id=7"), "200 ad seven");
    EXPECT_EQ(body("/ro/select_o.php?option=one&id=%2042"), "200 ad with a space");
    EXPECT_EQ(body("/ro/select_o.php?option=one&id=a+b"), "200 ad with a plus");
    EXPECT_EQ(body("/ro/select_o.php?option=one&id=42"), "404 Not Found");
    EXPECT_EQ(body("/ro/select_o.php?option=other"), "404 Not Found");
    EXPECT_EQ(body("/ro/select_c.php?LastUpdate=2000-01-01"), "200 companies");
    EXPECT_EQ(body("/ro/select_c.php?LastUpdate=2004-11-15"), "200 companies");
    EXPECT_EQ(body("/files/c1.swf"), "200 " + std::string("\0\xff movie", 8));
    EXPECT_EQ(body("/files/other.swf"), "404 Not Found");

    PublisherStub empty;
    auto emptyClient = ClientFor(empty);
    auto manifest = emptyClient.Get("/ro/update.txt");
    ASSERT_TRUE(manifest);
    EXPECT_EQ(manifest->status, 404);
}

TEST(PublisherStub, RecordsRequestsAsSent)
{
    PublisherStub stub;
    stub.SetAd(" 42", "ad");
    auto client = ClientFor(stub);
    client.Get("/ro/update.txt", {{"Accept", "text/html, */*"}});
    client.Get("/ro/select_o.php?option=one&id=%2042");
    client.Post("/ro/update.txt", "body", "text/plain");

    const auto requests = stub.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].target, "/ro/update.txt");
    EXPECT_EQ(requests[0].query, "");
    EXPECT_EQ(requests[0].Header("accept"), "text/html, */*");
    EXPECT_FALSE(requests[0].HasHeader("REMOTE_ADDR"));
    EXPECT_EQ(requests[1].path, "/ro/select_o.php");
    EXPECT_EQ(requests[1].query, "option=one&id=%2042");
    EXPECT_EQ(requests[1].target, "/ro/select_o.php?option=one&id=%2042");
    EXPECT_EQ(requests[1].decodedTarget, "/ro/select_o.php?option=one&id= 42");
    EXPECT_EQ(requests[2].method, "POST");
    EXPECT_EQ(
        stub.DecodedTargets(),
        (std::vector<std::string>{"/ro/update.txt", "/ro/select_o.php?option=one&id= 42", "/ro/update.txt"}));
    stub.ClearRequests();
    EXPECT_TRUE(stub.Requests().empty());
}

TEST(PublisherStub, MisbehavesOnDemand)
{
    PublisherStub stub;
    stub.SetManifest("manifest");
    stub.SetAd("7", "ad seven");
    stub.SetAd("8", "ad eight");
    stub.SetAd(" 42", "ad with a space");
    stub.SetFile("/files/big.bin", std::string(10'000, 'b'));
    stub.SetFault("/ro/select_o.php?option=one", PublisherStub::Fault::Status500);
    stub.SetFault("/ro/select_o.php?option=one&id=7", PublisherStub::Fault::Garbage);
    stub.SetFault("/ro/select_o.php?option=one&id= 42", PublisherStub::Fault::NotFound);
    stub.SetFault("/files/", PublisherStub::Fault::DropMidBody);
    auto client = ClientFor(stub);

    auto garbage = client.Get("/ro/select_o.php?option=one&id=7");
    ASSERT_TRUE(garbage);
    EXPECT_EQ(garbage->status, 200);
    EXPECT_EQ(garbage->body, PublisherStub::GarbageBody());
    EXPECT_EQ(garbage->body.find_first_of("\r\n"), std::string::npos);
    auto failing = client.Get("/ro/select_o.php?option=one&id=8");
    ASSERT_TRUE(failing);
    EXPECT_EQ(failing->status, 500);
    auto missing = client.Get("/ro/select_o.php?option=one&id=%2042");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->status, 404);
    EXPECT_FALSE(client.Get("/files/big.bin")) << "a body cut short must not read as complete";

    stub.SetFault("/ro/select_o.php?option=one", PublisherStub::Fault::None);
    auto recovered = client.Get("/ro/select_o.php?option=one&id=8");
    ASSERT_TRUE(recovered);
    EXPECT_EQ(recovered->body, "ad eight");
}

TEST(PublisherStub, StopsWithoutWaitingOutASlowAnswer)
{
    auto stub = std::make_unique<PublisherStub>();
    stub->SetManifest("late");
    stub->SetFault("/ro/update.txt", PublisherStub::Fault::Slow, 60s);
    std::thread waiting([client = ClientFor(*stub)]() mutable { client.Get("/ro/update.txt"); });
    while (stub->Requests().empty()) {
        std::this_thread::sleep_for(5ms);
    }
    const auto start = std::chrono::steady_clock::now();
    stub.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 20s);
    waiting.join();
}

} // namespace
} // namespace dorvanta::test
