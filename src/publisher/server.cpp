#include "publisher/server.h"

#include "publisher/answers.h"
#include "publisher/days.h"
#include "publisher/master.h"
#include "update/manifest.h"

#include <httplib.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace dorvanta::publisher {

namespace {

constexpr const char* kTextType = "text/plain; charset=windows-1250";
constexpr std::size_t kPieceSize = 64 * 1024;

void Plain(httplib::Response& response, int status, std::string body = {})
{
    response.status = status;
    response.set_content(std::move(body), kTextType);
}

// The query as sent, before any decoding: httplib's own parameters turn "+"
// into a space, which would change an identifier.
std::optional<std::map<std::string, std::string>> QueryOf(const httplib::Request& request)
{
    const std::size_t mark = request.target.find('?');
    return ParseQuery(mark == std::string::npos ? std::string_view()
                                                : std::string_view(request.target).substr(mark + 1));
}

// A conditional request from a cache whose copy is still the answer.
bool Unchanged(const httplib::Request& request, httplib::Response& response, const std::string& tag)
{
    response.set_header("ETag", tag);
    if (request.has_header("If-None-Match") && request.get_header_value("If-None-Match") == tag) {
        response.status = 304;
        return true;
    }
    return false;
}

} // namespace

bool SplitListenAddress(const std::string& text, std::string& host, int& port)
{
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size() || colon + 6 < text.size()) {
        return false;
    }
    port = 0;
    for (std::size_t i = colon + 1; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        port = port * 10 + (text[i] - '0');
    }
    host = text.substr(0, colon);
    return port <= 65535;
}

ProtocolServer::ProtocolServer(ServerOptions options)
    : options_(std::move(options)), http_(std::make_unique<httplib::Server>())
{
    {
        Master master(options_.root); // the file, its tables and WAL mode, before any reader
    }
    const int threads = options_.threads;
    http_->new_task_queue = [threads] { return new httplib::ThreadPool(static_cast<std::size_t>(threads)); };
    // Nobody sends a body; a client that trickles its request is dropped.
    http_->set_payload_max_length(4096);
    http_->set_keep_alive_max_count(1000);
    http_->set_read_timeout(10);
    http_->set_write_timeout(60);
    http_->set_exception_handler(
        [](const httplib::Request& request, httplib::Response& response, std::exception_ptr error) {
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "dorvanta-publisher: %s: %s\n", request.path.c_str(), e.what());
            } catch (...) {
                std::fprintf(stderr, "dorvanta-publisher: %s: unknown failure\n", request.path.c_str());
            }
            Plain(response, 500);
        });
    Routes();
}

ProtocolServer::~ProtocolServer() = default;

void ProtocolServer::Routes()
{
    const auto root = options_.root;
    const auto publicUrl = options_.publicUrl;

    http_->Get("/ro/update.txt",
               [root, publicUrl](const httplib::Request& request, httplib::Response& response) {
                   if (!QueryOf(request)) {
                       return Plain(response, 400);
                   }
                   const auto db = OpenMasterForReading(root);
                   Transaction snapshot(*db, Transaction::Kind::Deferred);
                   if (!Unchanged(request, response, EntityTag(*db))) {
                       Plain(response, 200, ManifestAnswer(*db, publicUrl));
                   }
               });

    http_->Get("/ro/select_o.php", [root](const httplib::Request& request, httplib::Response& response) {
        const auto query = QueryOf(request);
        if (!query || !query->contains("option")) {
            return Plain(response, 400);
        }
        const std::string& option = query->at("option");
        if (option == "one") {
            if (query->size() != 2 || !query->contains("id") || query->at("id").empty()) {
                return Plain(response, 400);
            }
            const auto db = OpenMasterForReading(root);
            if (auto ad = AdAnswer(*db, query->at("id"))) {
                return Plain(response, 200, std::move(*ad));
            }
            return Plain(response, 404);
        }
        if (option != "all" || query->size() < 2) {
            return Plain(response, 400);
        }
        // "a1=1" to "a10=1": the groups a to j.
        std::vector<char> groups;
        for (const auto& [name, value] : *query) {
            if (name == "option") {
                continue;
            }
            int number = 0;
            if (name.size() < 2 || name.size() > 3 || name[0] != 'a' || value != "1" ||
                name.find_first_not_of("0123456789", 1) != std::string::npos || name[1] == '0' ||
                (number = std::stoi(name.substr(1))) > 10) {
                return Plain(response, 400);
            }
            groups.push_back(static_cast<char>('a' + number - 1));
        }
        const auto db = OpenMasterForReading(root);
        Transaction snapshot(*db, Transaction::Kind::Deferred);
        if (!Unchanged(request, response, EntityTag(*db))) {
            Plain(response, 200, IdListAnswer(*db, groups));
        }
    });

    http_->Get("/ro/select_c.php", [root](const httplib::Request& request, httplib::Response& response) {
        const auto query = QueryOf(request);
        std::optional<std::int32_t> day;
        if (!query || query->size() != 1 || !query->contains("LastUpdate") ||
            !(day = ParseDay(query->at("LastUpdate")))) {
            return Plain(response, 400);
        }
        auto answer = std::make_shared<CompanyAnswer>(OpenMasterForReading(root), *day);
        if (Unchanged(request, response, answer->tag())) {
            return;
        }
        response.set_chunked_content_provider(
            kTextType, [answer, piece = std::string()](std::size_t, httplib::DataSink& sink) mutable {
                piece.clear();
                const bool more = answer->Fill(piece, kPieceSize);
                if (!piece.empty() && !sink.write(piece.data(), piece.size())) {
                    return false;
                }
                if (!more) {
                    sink.done();
                }
                return true;
            });
    });

    http_->Get(R"(/files/([^/]+))", [root](const httplib::Request& request, httplib::Response& response) {
        const std::string name = request.matches[1];
        if (!IsSafeFileName(name)) {
            return Plain(response, 404);
        }
        std::ifstream in(root / kFilesFolderName / name, std::ios::binary);
        if (!in) {
            return Plain(response, 404);
        }
        response.set_content(
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
            "application/octet-stream");
    });

    // GET only.
    const auto refuse = [](const httplib::Request&, httplib::Response& response) {
        response.set_header("Allow", "GET, HEAD");
        Plain(response, 405);
    };
    http_->Post(".*", refuse);
    http_->Put(".*", refuse);
    http_->Patch(".*", refuse);
    http_->Delete(".*", refuse);
    http_->Options(".*", refuse);
}

bool ProtocolServer::Bind(const std::string& host, int port)
{
    if (port == 0) {
        port_ = http_->bind_to_any_port(host);
        return port_ > 0;
    }
    port_ = port;
    return http_->bind_to_port(host, port);
}

void ProtocolServer::Run()
{
    http_->listen_after_bind();
}

void ProtocolServer::Stop()
{
    http_->stop();
}

} // namespace dorvanta::publisher
