#pragma once

#include "data/language.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace dorvanta {

// What kind of failure a request met, so the user can be told why in words
// of their language (see HttpFailureText).
enum class HttpFailureKind
{
    Other,          // what() says it, in libcurl's words
    Status,         // an answer status other than 2xx: `status`, and `detail` the Location of a redirect
    Refused,        // the server refused the connection
    HostNotFound,   // the server's name could not be resolved
    NoConnection,   // no connection for another reason (no network, no route)
    ConnectTimeout, // no connection within `milliseconds`
    Silent,         // not a byte received for `milliseconds`
    TooSlow,        // fewer than `bytes` received in `milliseconds`
    CutShort,       // the connection closed before the whole answer arrived
    TooLarge,       // the answer is larger than `bytes`
    NotHttp,        // an address that is not plain http://; `detail` is its scheme
    Encoding,       // compressed in a way the program cannot read; `detail` is the Content-Encoding
    Undecodable,    // a gzip or deflate answer that does not decode
    WriteFailed     // the body could not be written where it goes; `systemError` is errno (0: unknown)
};

struct HttpFailure
{
    HttpFailureKind kind = HttpFailureKind::Other;
    long status = 0;
    std::string detail;
    std::int64_t milliseconds = 0;
    std::uint64_t bytes = 0;
    int systemError = 0;
};

// Any failure of a request: no connection, a refused or broken connection,
// a time-out, a body too large, or an answer status other than success.
// what() is a technical English text (with the address); failure() tells
// what happened, for the user.
class HttpError : public std::runtime_error
{
public:
    explicit HttpError(const std::string& what, HttpFailure failure = {})
        : std::runtime_error(what), failure_(std::move(failure))
    {
    }
    const HttpFailure& failure() const { return failure_; }

private:
    HttpFailure failure_;
};

// A request given up on for time: no connection within the connect time-out,
// or too few bytes received over the low-speed window.
class HttpTimeout : public HttpError
{
public:
    using HttpError::HttpError;
};

// Bytes of the body received so far, and the length the server announced (0
// when it announced none).
using ReceiveProgress = std::function<void(std::uint64_t received, std::uint64_t total)>;

// What the updates need of an HTTP client. Every request is a plain GET.
class HttpClient
{
public:
    virtual ~HttpClient() = default;

    // The body at `url`, as bytes. Throws HttpError.
    virtual std::string Get(const std::string& url) = 0;

    // Writes the body at `url` into `out`. Throws HttpError, also when writing fails.
    virtual void GetToStream(const std::string& url, std::ostream& out) = 0;

    // GetToStream for an answer that may be larger than the body limit of the
    // other requests: the body has no limit (the caller writes it to disk),
    // and `received` is called as it arrives. Without an override, this is
    // GetToStream.
    virtual void GetLargeToStream(const std::string& url, std::ostream& out, const ReceiveProgress& received)
    {
        (void)received;
        GetToStream(url, out);
    }

    // Whether a connection left by an earlier request is still open, and closing it.
    virtual bool Connected() const = 0;
    virtual void Disconnect() = 0;
};

struct HttpOptions
{
    // Called at least every 10 ms while a request waits (on the update's own
    // thread): it throws HttpError to stop the request.
    std::function<void()> idle;
    std::chrono::milliseconds connectTimeout{15000};
    // A request that has received fewer than lowSpeedBytes (headers and body)
    // over the last lowSpeedWindow fails, so a silent or trickling server is
    // given up on. The window starts when the request has been sent.
    std::size_t lowSpeedBytes = 1024;
    std::chrono::milliseconds lowSpeedWindow{30000};
    std::size_t maxBodyBytes = std::size_t{64} << 20; // except GetLargeToStream
};

// The libcurl client: HTTP/1.1, the program's Accept and User-Agent headers,
// no proxy (proxy environment variables are ignored), no authentication (an
// address with a user name fails), no redirect following, plain http://
// addresses only. No Accept-Encoding is sent, but a server that compresses
// all the same is understood: a gzip or deflate answer is decoded (the body
// limit counts decoded bytes), "identity" is taken as it is, and any other
// Content-Encoding fails the request. A status other than 2xx fails without writing
// the answer's body anywhere. GetToStream may have written part of the body
// when it fails. Connected() tells whether the kept-alive connection of the
// last request is still open and usable. One request at a time: a request
// started from the idle callback of a running one fails with HttpError.
// Addresses pass through EscapeRequestUrl.
std::unique_ptr<HttpClient> MakeCurlHttpClient(HttpOptions options = {});

// The address as it goes on the wire: bytes that cannot stand in a URL
// (control characters, space, bytes 0x80-0xFF and " < > \ ^ ` { | }) and a "%"
// not followed by two hex digits are percent-encoded; everything else,
// "?", "&", "=", "#" and valid "%XX" included, is left as it is. So an
// identifier " 42" appended to a query is sent as "%2042".
std::string EscapeRequestUrl(std::string_view url);

inline constexpr const char* kDefaultServer = "http://www.dorvanta.ro";

// The publisher's base address: `override` when not empty, else the
// environment variable DORVANTA_SERVER when set and not empty, else
// kDefaultServer; without a trailing "/".
std::string ServerBaseAddress(const std::string& override = {});

// Why a request failed, for the user, in `language`: "HTTP 301 to
// https://...", "connection refused", "no answer for 30 s".
std::string HttpFailureText(const HttpError& error, Language language);

} // namespace dorvanta
