#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace dorvanta::test {

// A server on 127.0.0.1 that answers with exactly the bytes it is given, for
// answers no well-behaved HTTP library would send (broken header lines,
// trickled bodies). It reads one request (up to the blank line that ends its
// headers), sends the next scripted answer, and keeps the connection open for
// the next request unless the answer says to close it. Requests past the end
// of the script get their connection closed without an answer.
class RawHttpServer
{
public:
    struct Answer
    {
        std::string bytes;
        bool close = false; // close the connection after sending
        // When not zero, the bytes go out in pieces of `pieceBytes` with
        // `pause` between them (a trickling server).
        std::size_t pieceBytes = 0;
        std::chrono::milliseconds pause{};
    };

    explicit RawHttpServer(std::vector<Answer> script);
    ~RawHttpServer();
    RawHttpServer(const RawHttpServer&) = delete;
    RawHttpServer& operator=(const RawHttpServer&) = delete;

    // "http://127.0.0.1:PORT".
    std::string BaseUrl() const;
    // Requests read so far (whole heads), in arrival order.
    std::vector<std::string> Requests() const;
    // Connections accepted so far.
    int Connections() const { return connections_; }

private:
    void Serve();
    void ServeConnection(int connection);
    bool Wait(int descriptor) const;

    std::vector<Answer> script_;
    std::size_t next_ = 0;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> connections_{0};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

} // namespace dorvanta::test
