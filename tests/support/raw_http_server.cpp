#include "support/raw_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace dorvanta::test {

RawHttpServer::RawHttpServer(std::vector<Answer> script) : script_(std::move(script))
{
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 8) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (listener_ >= 0) {
            ::close(listener_);
        }
        throw std::runtime_error("the raw server cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

RawHttpServer::~RawHttpServer()
{
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

std::string RawHttpServer::BaseUrl() const
{
    return "http://127.0.0.1:" + std::to_string(port_);
}

std::vector<std::string> RawHttpServer::Requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

// Waits until `descriptor` is readable; false when the server stops first.
bool RawHttpServer::Wait(int descriptor) const
{
    while (!stopping_) {
        pollfd entry{descriptor, POLLIN, 0};
        if (::poll(&entry, 1, 20) > 0) {
            return true;
        }
    }
    return false;
}

void RawHttpServer::Serve()
{
    // One connection at a time: the client under test sends one request at a time.
    while (Wait(listener_)) {
        const int connection = ::accept(listener_, nullptr, nullptr);
        if (connection < 0) {
            continue;
        }
        ++connections_;
        ServeConnection(connection);
        ::close(connection);
    }
}

void RawHttpServer::ServeConnection(int connection)
{
    std::string received;
    for (;;) {
        std::size_t headEnd;
        while ((headEnd = received.find("\r\n\r\n")) == std::string::npos) {
            char buffer[4096];
            if (!Wait(connection)) {
                return;
            }
            const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
            if (got <= 0) {
                return;
            }
            received.append(buffer, static_cast<std::size_t>(got));
        }
        Answer answer;
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(received.substr(0, headEnd + 4));
            if (next_ == script_.size()) {
                return;
            }
            answer = script_[next_++];
        }
        received.erase(0, headEnd + 4);
        const std::size_t piece = answer.pieceBytes ? answer.pieceBytes : answer.bytes.size();
        for (std::size_t sent = 0; sent < answer.bytes.size() && !stopping_;) {
            const std::size_t count = std::min(piece, answer.bytes.size() - sent);
            if (::send(connection, answer.bytes.data() + sent, count, MSG_NOSIGNAL) !=
                static_cast<ssize_t>(count)) {
                return;
            }
            sent += count;
            if (sent < answer.bytes.size() && answer.pause.count() > 0) {
                // Sliced, so that the destructor does not wait out a long trickle.
                const auto until = std::chrono::steady_clock::now() + answer.pause;
                while (!stopping_ && std::chrono::steady_clock::now() < until) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                }
            }
        }
        if (answer.close) {
            return;
        }
    }
}

} // namespace dorvanta::test
