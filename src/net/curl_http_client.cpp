#include "net/curl_transfer.h"
#include "net/http_client.h"

#include <curl/curl.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <exception>
#include <functional>
#include <limits>
#include <mutex>
#include <utility>

#ifdef _WIN32
#include <winsock2.h>
#else
#include <poll.h>
#endif

namespace dorvanta {
namespace {

using curl_transfer::BodySink;
using curl_transfer::Clock;
using curl_transfer::Seconds;
using curl_transfer::Transfer;

constexpr int kWaitSliceMilliseconds = 10;

void InitialiseCurlOnce()
{
    static std::once_flag once;
    // A failure leaves the flag unset, so the next client tries again.
    std::call_once(once, [] {
        if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
            throw HttpError("libcurl cannot be initialised");
        }
    });
}

// Whether an idle kept-alive socket can still carry a request: nothing to read
// on it (no end-of-file from the server, no stray bytes) and no error. libcurl
// judges a cached connection the same way before reusing it.
bool IdleSocketUsable(curl_socket_t socket)
{
#ifdef _WIN32
    WSAPOLLFD descriptor{socket, POLLRDNORM, 0};
    const int ready = WSAPoll(&descriptor, 1, 0);
#else
    pollfd descriptor{socket, POLLIN, 0};
    const int ready = poll(&descriptor, 1, 0);
#endif
    return ready == 0;
}

struct CurlMultiDeleter
{
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct CurlEasyDeleter
{
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct CurlListDeleter
{
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

using MultiHandle = std::unique_ptr<CURLM, CurlMultiDeleter>;
using EasyHandle = std::unique_ptr<CURL, CurlEasyDeleter>;
using HeaderList = std::unique_ptr<curl_slist, CurlListDeleter>;

class CurlHttpClient final : public HttpClient
{
public:
    explicit CurlHttpClient(HttpOptions options) : options_(std::move(options))
    {
        InitialiseCurlOnce();
        curl_slist* list = curl_slist_append(nullptr, "Accept: text/html, */*");
        headers_.reset(list);
        // Decoding is switched on by CURLOPT_ACCEPT_ENCODING, which would also
        // send the header; the empty header keeps it off the wire, so the
        // server is asked for the plain answer as before.
        if (!list || !curl_slist_append(list, "Accept-Encoding:")) {
            throw HttpError("libcurl cannot be set up");
        }
        CreateMulti();
    }

    std::string Get(const std::string& url) override
    {
        std::string body;
        BodySink sink = [&body](const char* data, std::size_t size) { body.append(data, size); };
        Run(url, sink, options_.maxBodyBytes, nullptr);
        return body;
    }

    void GetToStream(const std::string& url, std::ostream& out) override
    {
        ToStream(url, out, options_.maxBodyBytes, nullptr);
    }

    void GetLargeToStream(const std::string& url, std::ostream& out, const ReceiveProgress& received) override
    {
        ToStream(url, out, std::numeric_limits<std::size_t>::max(), &received);
    }

    bool Connected() const override
    {
        return !running_ && socket_ != CURL_SOCKET_BAD && IdleSocketUsable(socket_);
    }

    void Disconnect() override
    {
        if (running_) {
            return; // called from the idle callback: the running request owns the connection
        }
        // The connection cache belongs to the multi handle; dropping it closes the connection.
        CreateMulti();
    }

private:
    void CreateMulti()
    {
        socket_ = CURL_SOCKET_BAD;
        multi_.reset(curl_multi_init());
        if (!multi_) {
            throw HttpError("libcurl cannot be set up");
        }
    }

    void ToStream(const std::string& url, std::ostream& out, std::size_t maxBodyBytes,
                  const ReceiveProgress* received)
    {
        if (!out) {
            throw HttpError("GET " + url + ": the output stream cannot be written");
        }
        BodySink sink = [&out](const char* data, std::size_t size) {
            errno = 0;
            out.write(data, static_cast<std::streamsize>(size));
            if (!out) {
                HttpFailure failure{HttpFailureKind::WriteFailed};
                failure.systemError = errno;
                throw HttpError("writing the body failed", failure);
            }
        };
        Run(url, sink, maxBodyBytes, received);
        errno = 0;
        out.flush();
        if (!out) {
            HttpFailure failure{HttpFailureKind::WriteFailed};
            failure.systemError = errno;
            throw HttpError("GET " + url + ": writing the body failed", failure);
        }
    }

    void Configure(CURL* easy, const std::string& url, std::size_t maxBodyBytes, Transfer& transfer)
    {
        errorBuffer_[0] = '\0';
        const auto connectMs = static_cast<long>(options_.connectTimeout.count());
        // A Content-Length above the limit fails before any byte of the body arrives.
        const auto maxAnnounced = static_cast<curl_off_t>(
            std::min<std::uintmax_t>(maxBodyBytes, std::numeric_limits<curl_off_t>::max()));
        const bool ok =
            curl_easy_setopt(easy, CURLOPT_URL, url.c_str()) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer_) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http") == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1)) ==
                CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers_.get()) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "gzip, deflate") == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_HTTP_CONTENT_DECODING, 1L) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_USERAGENT, "Mozilla/3.0 (compatible; Indy Library)") == CURLE_OK &&
            // An empty proxy also overrides http_proxy and the other environment variables.
            curl_easy_setopt(easy, CURLOPT_PROXY, "") == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_DISALLOW_USERNAME_IN_URL, 1L) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_NETRC, static_cast<long>(CURL_NETRC_IGNORED)) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, connectMs > 0 ? connectMs : 1L) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, maxAnnounced) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, &curl_transfer::OnRequestReady) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_PREREQDATA, &transfer) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &curl_transfer::OnHeader) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &curl_transfer::OnBody) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer) == CURLE_OK;
        if (!ok) {
            throw HttpError("GET " + url + ": libcurl rejected the request settings");
        }
    }

    void Run(const std::string& rawUrl, BodySink& sink, std::size_t maxBodyBytes,
             const ReceiveProgress* received)
    {
        const std::string url = EscapeRequestUrl(rawUrl);
        if (running_) {
            throw HttpError("GET " + url + ": another request is still waiting for its answer");
        }
        // A fresh easy handle for every request: libcurl 7.88 reads freed memory
        // when a handle that carried an answer meets a folded first header line
        // next. The connection cache belongs to the multi handle, so kept-alive
        // connections are still reused.
        const EasyHandle easy(curl_easy_init());
        if (!easy) {
            throw HttpError("GET " + url + ": libcurl cannot start the request");
        }
        Transfer transfer(options_.lowSpeedWindow);
        transfer.easy = easy.get();
        transfer.sink = &sink;
        transfer.progress = received;
        transfer.maxBodyBytes = maxBodyBytes;
        Configure(easy.get(), url, maxBodyBytes, transfer);

        socket_ = CURL_SOCKET_BAD;
        if (curl_multi_add_handle(multi_.get(), easy.get()) != CURLM_OK) {
            throw HttpError("GET " + url + ": libcurl cannot start the request");
        }
        running_ = true;
        // Whatever leaves the loop (an answer, a failure, an exception from the idle
        // callback), the handle goes back; an unfinished transfer closes its connection.
        struct Detach
        {
            CurlHttpClient& client;
            CURL* easy;
            ~Detach()
            {
                curl_multi_remove_handle(client.multi_.get(), easy);
                client.running_ = false;
            }
        } detach{*this, easy.get()};

        const CURLcode result = Wait(url, transfer);
        if (result == CURLE_OK) {
            // The kept-alive connection, while the handle still belongs to the multi
            // handle whose cache holds it; CURL_SOCKET_BAD when it was closed.
            curl_easy_getinfo(easy.get(), CURLINFO_ACTIVESOCKET, &socket_);
        }
        curl_transfer::CheckTransfer(easy.get(), url, result, transfer, maxBodyBytes, options_.connectTimeout,
                                     errorBuffer_);
    }

    CURLcode Wait(const std::string& url, Transfer& transfer)
    {
        for (;;) {
            int running = 0;
            if (const CURLMcode code = curl_multi_perform(multi_.get(), &running); code != CURLM_OK) {
                throw HttpError("GET " + url + ": " + curl_multi_strerror(code));
            }
            int pending = 0;
            while (CURLMsg* message = curl_multi_info_read(multi_.get(), &pending)) {
                if (message->msg == CURLMSG_DONE && message->easy_handle == transfer.easy) {
                    return message->data.result;
                }
            }
            if (options_.idle) {
                options_.idle();
            }
            const auto now = Clock::now();
            if (transfer.speed.Full(now)) {
                if (const std::uint64_t got = transfer.speed.InWindow(now); got < options_.lowSpeedBytes) {
                    HttpFailure failure{got == 0 ? HttpFailureKind::Silent : HttpFailureKind::TooSlow};
                    failure.milliseconds = options_.lowSpeedWindow.count();
                    failure.bytes = options_.lowSpeedBytes;
                    throw HttpTimeout("GET " + url + ": fewer than " +
                                          std::to_string(options_.lowSpeedBytes) + " bytes received in " +
                                          Seconds(options_.lowSpeedWindow),
                                      failure);
                }
            }
            if (const CURLMcode code =
                    curl_multi_poll(multi_.get(), nullptr, 0, kWaitSliceMilliseconds, nullptr);
                code != CURLM_OK) {
                throw HttpError("GET " + url + ": " + curl_multi_strerror(code));
            }
        }
    }

    HttpOptions options_;
    HeaderList headers_;
    MultiHandle multi_;
    curl_socket_t socket_ = CURL_SOCKET_BAD;
    bool running_ = false;
    char errorBuffer_[CURL_ERROR_SIZE] = {};
};

} // namespace

std::unique_ptr<HttpClient> MakeCurlHttpClient(HttpOptions options)
{
    return std::make_unique<CurlHttpClient>(std::move(options));
}

} // namespace dorvanta
