#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace dorvanta::test {

// A stand-in for the publisher's web server: a real HTTP server on 127.0.0.1,
// on a free port, serving fixtures and misbehaving on demand. It listens from
// construction on (in a thread of its own) and stops in the destructor. Every
// member may be called from the test while requests are being answered.
//
// Routes (GET; other methods are recorded and answered 405):
//   /ro/update.txt                         SetManifest
//   /ro/select_o.php?option=all...         SetIdList (whatever group keys follow)
//   /ro/select_o.php?option=one&id=<id>    SetAd(<id>)
//   /ro/select_c.php?LastUpdate=<date>     SetCompanyAnswer (any date)
//   any other path                         SetFile(path)
// A route without a fixture, and any unknown path, answers 404. Answers are
// sent byte for byte, with Content-Length, as "text/plain".
//
// Query values are percent-decoded without turning "+" into a space (the
// update sends identifiers as they are; a client has to write a space as
// "%20" because a raw space cannot stand in a request line), so an identifier
// " 42" sent as "id=%2042" finds SetAd(" 42").
class PublisherStub
{
public:
    PublisherStub();
    ~PublisherStub();
    PublisherStub(const PublisherStub&) = delete;
    PublisherStub& operator=(const PublisherStub&) = delete;

    // "http://127.0.0.1:PORT", without a trailing "/".
    std::string BaseUrl() const;
    int Port() const { return port_; }

    void SetManifest(std::string body);
    void SetIdList(std::string body);
    void SetAd(std::string id, std::string body);
    void SetCompanyAnswer(std::string body);
    // `path` begins with "/", e.g. "/files/c1.swf"; matched exactly, without the query.
    void SetFile(std::string path, std::string body);

    enum class Fault
    {
        None,        // answer normally (removes a fault set earlier for the prefix)
        Status500,   // status 500 with a short text body
        DropMidBody, // announce the full Content-Length, send half the body, close the connection
        Slow,        // wait `delay`, then answer normally (the destructor cuts the wait short)
        Garbage,     // status 200 with 4096 random bytes, none of them CR or LF
        NotFound,    // status 404 even when a fixture exists
        Chunked,     // answer normally, but chunked in pieces of 64 bytes, with no Content-Length
        Trickle,     // announce the full Content-Length, then send one byte of the body every `delay`
    };
    // Applies to every later request whose target (path + "?" + query) begins
    // with `targetPrefix`, compared both with the target as sent and with its
    // percent-decoded form; the longest matching prefix wins. Examples:
    // "/ro/update.txt", "/ro/select_o.php?option=one&id=7", "/ro/select_o.php?option=one&id= 42".
    void SetFault(std::string targetPrefix, Fault fault, std::chrono::milliseconds delay = {});

    // When true, every answer carries "Connection: close" and the server closes
    // the connection after it; when false (the default) connections are kept alive.
    void SetCloseConnections(bool close);

    struct Request
    {
        std::string method;
        std::string path;          // percent-decoded, without the query
        std::string query;         // raw, after the "?", exactly as sent ("" without one)
        std::string target;        // raw request target exactly as sent: path + "?" + query
        std::string decodedTarget; // the target percent-decoded ("+" stays "+")
        std::string version;       // "HTTP/1.1"
        std::multimap<std::string, std::string> headers; // as sent (names as spelled by the client)
        int remotePort = 0; // the client's port: equal for requests on one kept-alive connection

        // The first header of that name, compared without regard to case; "" when absent.
        std::string Header(std::string_view name) const;
        bool HasHeader(std::string_view name) const;
    };
    // Every request received so far, in arrival order.
    std::vector<Request> Requests() const;
    // The decoded targets of Requests(), for checking a sequence at a glance.
    std::vector<std::string> DecodedTargets() const;
    void ClearRequests();

    // The 4096 bytes a Garbage fault answers (always the same bytes).
    static const std::string& GarbageBody();

private:
    struct FaultSetting
    {
        Fault fault = Fault::None;
        std::chrono::milliseconds delay{};
    };
    struct Answer
    {
        int status = 404;
        std::string body;
    };

    void Handle(const httplib::Request& request, httplib::Response& response);
    Answer FixtureFor(const std::string& path, const std::string& rawQuery) const;
    FaultSetting FaultFor(const std::string& target, const std::string& decodedTarget) const;

    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;

    mutable std::mutex mutex_;
    std::condition_variable stopping_cv_;
    bool stopping_ = false;
    bool closeConnections_ = false;
    std::optional<std::string> manifest_;
    std::optional<std::string> idList_;
    std::optional<std::string> companyAnswer_;
    std::map<std::string, std::string> ads_;
    std::map<std::string, std::string> files_;
    std::map<std::string, FaultSetting> faults_;
    std::vector<Request> requests_;
};

// Percent-decodes `text`; "+" stays "+", and a "%" not followed by two hex
// digits stays as it is.
std::string PercentDecode(std::string_view text);

} // namespace dorvanta::test
