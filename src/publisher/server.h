#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace httplib {
class Server;
}

// The protocol server: the four requests of the updates and the published
// files, answered from the master. It is meant to stand behind nginx, which
// caches the answers and serves the files itself.
namespace dorvanta::publisher {

struct ServerOptions
{
    std::filesystem::path root;
    std::string publicUrl; // for manifest entries published without one
    int threads = 8;
};

class ProtocolServer
{
public:
    explicit ProtocolServer(ServerOptions options);
    ~ProtocolServer();
    ProtocolServer(const ProtocolServer&) = delete;
    ProtocolServer& operator=(const ProtocolServer&) = delete;

    // Binds `host`:`port` (port 0: a free one); false when it cannot.
    bool Bind(const std::string& host, int port);
    int port() const { return port_; }
    // Answers until Stop; call after Bind.
    void Run();
    void Stop();

private:
    void Routes();

    ServerOptions options_;
    std::unique_ptr<httplib::Server> http_;
    int port_ = 0;
};

// "127.0.0.1:8080" into host and port; false when malformed.
bool SplitListenAddress(const std::string& text, std::string& host, int& port);

} // namespace dorvanta::publisher
