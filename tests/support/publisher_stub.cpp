#include "support/publisher_stub.h"

#include <httplib.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <stdexcept>
#include <utility>

namespace dorvanta::test {
namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// The query's parameters in order, names and values percent-decoded.
std::vector<std::pair<std::string, std::string>> QueryParameters(std::string_view query)
{
    std::vector<std::pair<std::string, std::string>> parameters;
    while (!query.empty()) {
        const auto end = query.find('&');
        const std::string_view item = query.substr(0, end);
        const auto equals = item.find('=');
        parameters.emplace_back(PercentDecode(item.substr(0, equals)),
                                equals == std::string_view::npos ? std::string()
                                                                 : PercentDecode(item.substr(equals + 1)));
        if (end == std::string_view::npos) {
            break;
        }
        query.remove_prefix(end + 1);
    }
    return parameters;
}

const std::string* FindParameter(const std::vector<std::pair<std::string, std::string>>& parameters,
                                 std::string_view name)
{
    for (const auto& [key, value] : parameters) {
        if (key == name) {
            return &value;
        }
    }
    return nullptr;
}

// httplib adds the socket addresses to the request's headers; they were never sent.
bool IsServerPseudoHeader(std::string_view name)
{
    return name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" || name == "LOCAL_PORT";
}

} // namespace

std::string PercentDecode(std::string_view text)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

std::string PublisherStub::Request::Header(std::string_view name) const
{
    for (const auto& [key, value] : headers) {
        if (EqualsIgnoringCase(key, name)) {
            return value;
        }
    }
    return {};
}

bool PublisherStub::Request::HasHeader(std::string_view name) const
{
    return std::any_of(headers.begin(), headers.end(),
                       [&](const auto& header) { return EqualsIgnoringCase(header.first, name); });
}

const std::string& PublisherStub::GarbageBody()
{
    static const std::string garbage = [] {
        std::mt19937 random(20041115);
        std::uniform_int_distribution<int> byte(0, 255);
        std::string bytes;
        while (bytes.size() < 4096) {
            const auto c = static_cast<char>(byte(random));
            if (c != '\r' && c != '\n') {
                bytes += c;
            }
        }
        return bytes;
    }();
    return garbage;
}

PublisherStub::PublisherStub() : server_(std::make_unique<httplib::Server>())
{
    const auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        Handle(request, response);
    };
    server_->Get(".*", handler);
    server_->Post(".*", handler);
    server_->Put(".*", handler);
    server_->Patch(".*", handler);
    server_->Delete(".*", handler);
    server_->Options(".*", handler);

    // A worker serving a kept-alive connection only notices stop() when the
    // connection idles out, so the destructor waits that long for a client that
    // still holds one: keep it short.
    server_->set_keep_alive_timeout(1);
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0) {
        throw std::runtime_error("the publisher stand-in cannot bind a port on 127.0.0.1");
    }
    thread_ = std::thread([server = server_.get()] { server->listen_after_bind(); });
    // stop() does nothing before the server runs, so the destructor could not end it:
    // wait here until it does.
    for (int i = 0; i < 5000 && !server_->is_running(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!server_->is_running()) {
        server_->stop();
        thread_.detach();
        throw std::runtime_error("the publisher stand-in did not start");
    }
}

PublisherStub::~PublisherStub()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    stopping_cv_.notify_all();
    server_->stop();
    thread_.join();
}

std::string PublisherStub::BaseUrl() const
{
    return "http://127.0.0.1:" + std::to_string(port_);
}

void PublisherStub::SetManifest(std::string body)
{
    std::lock_guard lock(mutex_);
    manifest_ = std::move(body);
}

void PublisherStub::SetIdList(std::string body)
{
    std::lock_guard lock(mutex_);
    idList_ = std::move(body);
}

void PublisherStub::SetAd(std::string id, std::string body)
{
    std::lock_guard lock(mutex_);
    ads_[std::move(id)] = std::move(body);
}

void PublisherStub::SetCompanyAnswer(std::string body)
{
    std::lock_guard lock(mutex_);
    companyAnswer_ = std::move(body);
}

void PublisherStub::SetFile(std::string path, std::string body)
{
    std::lock_guard lock(mutex_);
    files_[std::move(path)] = std::move(body);
}

void PublisherStub::SetFault(std::string targetPrefix, Fault fault, std::chrono::milliseconds delay)
{
    std::lock_guard lock(mutex_);
    if (fault == Fault::None) {
        faults_.erase(targetPrefix);
    } else {
        faults_[std::move(targetPrefix)] = FaultSetting{fault, delay};
    }
}

void PublisherStub::SetCloseConnections(bool close)
{
    std::lock_guard lock(mutex_);
    closeConnections_ = close;
}

std::vector<PublisherStub::Request> PublisherStub::Requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

std::vector<std::string> PublisherStub::DecodedTargets() const
{
    std::lock_guard lock(mutex_);
    std::vector<std::string> targets;
    for (const auto& request : requests_) {
        targets.push_back(request.decodedTarget);
    }
    return targets;
}

void PublisherStub::ClearRequests()
{
    std::lock_guard lock(mutex_);
    requests_.clear();
}

PublisherStub::Answer PublisherStub::FixtureFor(const std::string& path, const std::string& rawQuery) const
{
    const auto found = [](const std::optional<std::string>& body) {
        return body ? Answer{200, *body} : Answer{};
    };
    if (path == "/ro/update.txt") {
        return found(manifest_);
    }
    if (path == "/ro/select_c.php") {
        return found(companyAnswer_);
    }
    if (path == "/ro/select_o.php") {
        const auto parameters = QueryParameters(rawQuery);
        const std::string* option = FindParameter(parameters, "option");
        if (option && *option == "all") {
            return found(idList_);
        }
        const std::string* id = FindParameter(parameters, "id");
        if (option && *option == "one" && id) {
            const auto ad = ads_.find(*id);
            return ad == ads_.end() ? Answer{} : Answer{200, ad->second};
        }
        return {};
    }
    const auto file = files_.find(path);
    return file == files_.end() ? Answer{} : Answer{200, file->second};
}

PublisherStub::FaultSetting PublisherStub::FaultFor(const std::string& target,
                                                    const std::string& decodedTarget) const
{
    FaultSetting chosen;
    std::size_t chosenLength = 0;
    for (const auto& [prefix, setting] : faults_) {
        const bool matches = target.starts_with(prefix) || decodedTarget.starts_with(prefix);
        if (matches && (chosen.fault == Fault::None || prefix.size() > chosenLength)) {
            chosen = setting;
            chosenLength = prefix.size();
        }
    }
    return chosen;
}

void PublisherStub::Handle(const httplib::Request& request, httplib::Response& response)
{
    Request record;
    record.method = request.method;
    record.version = request.version;
    record.remotePort = request.remote_port;
    record.target = request.target;
    const auto question = record.target.find('?');
    record.path = PercentDecode(std::string_view(record.target).substr(0, question));
    record.query = question == std::string::npos ? std::string() : record.target.substr(question + 1);
    record.decodedTarget = PercentDecode(record.target);
    for (const auto& [name, value] : request.headers) {
        if (!IsServerPseudoHeader(name)) {
            record.headers.emplace(name, value);
        }
    }

    std::unique_lock lock(mutex_);
    requests_.push_back(record);
    const FaultSetting fault = FaultFor(record.target, record.decodedTarget);
    if (closeConnections_) {
        response.set_header("Connection", "close");
    }
    if (fault.fault == Fault::Slow) {
        stopping_cv_.wait_for(lock, fault.delay, [this] { return stopping_; });
    }
    if (record.method != "GET" && record.method != "HEAD") {
        response.status = 405;
        response.set_content("Method Not Allowed", "text/plain");
        return;
    }
    Answer answer = FixtureFor(record.path, record.query);
    lock.unlock();

    switch (fault.fault) {
    case Fault::Status500:
        answer = Answer{500, "Internal Server Error"};
        break;
    case Fault::NotFound:
        answer = Answer{404, {}};
        break;
    case Fault::Garbage:
        answer = Answer{200, GarbageBody()};
        break;
    case Fault::DropMidBody: {
        auto body = std::make_shared<std::string>(
            answer.status == 200 && !answer.body.empty() ? answer.body : std::string(1024, 'x'));
        const std::size_t sent = body->size() / 2;
        response.status = 200;
        response.set_content_provider(body->size(), "text/plain",
                                      [body, sent](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                          if (offset < sent) {
                                              sink.write(body->data() + offset, sent - offset);
                                              return true;
                                          }
                                          return false; // cut the body short: the connection closes
                                      });
        return;
    }
    case Fault::Chunked: {
        auto body = std::make_shared<std::string>(std::move(answer.body));
        response.status = answer.status;
        response.set_chunked_content_provider(
            "text/plain", [body](std::size_t offset, httplib::DataSink& sink) {
                if (offset < body->size()) {
                    sink.write(body->data() + offset, std::min<std::size_t>(64, body->size() - offset));
                } else {
                    sink.done();
                }
                return true;
            });
        return;
    }
    case Fault::Trickle: {
        auto body = std::make_shared<std::string>(answer.body);
        response.status = answer.status;
        response.set_content_provider(
            body->size(), "text/plain",
            [this, body, delay = fault.delay](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                std::unique_lock wait(mutex_);
                if (stopping_cv_.wait_for(wait, delay, [this] { return stopping_; })) {
                    return false;
                }
                wait.unlock();
                sink.write(body->data() + offset, 1);
                return true;
            });
        return;
    }
    case Fault::None:
    case Fault::Slow:
        break;
    }
    response.status = answer.status;
    if (answer.status == 404 && answer.body.empty()) {
        answer.body = "Not Found";
    }
    response.set_content(answer.body, "text/plain");
}

} // namespace dorvanta::test
