#include "net/curl_transfer.h"

#include <cerrno>

#ifdef _WIN32
#include <winsock2.h>
#endif

namespace dorvanta::curl_transfer {

namespace {

bool Success(long status)
{
    return status >= 200 && status <= 299;
}

bool ConnectionRefused(CURL* easy)
{
    long error = 0;
    curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &error);
#ifdef _WIN32
    return error == WSAECONNREFUSED;
#else
    return error == ECONNREFUSED;
#endif
}

// "https" of "https://host/...", in small letters; "" without a scheme.
std::string SchemeOf(const std::string& url)
{
    const std::size_t end = url.find("://");
    std::string scheme = end == std::string::npos ? std::string() : url.substr(0, end);
    for (char& c : scheme) {
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return scheme;
}
// libcurl's own words on the last failure, in parentheses; empty when it has none.
std::string ErrorDetail(const char* errorBuffer)
{
    return errorBuffer[0] ? std::string(" (") + errorBuffer + ")" : std::string();
}

} // namespace

int OnRequestReady(void* user, char*, char*, int, int)
{
    static_cast<Transfer*>(user)->speed.Start(Clock::now());
    return CURL_PREREQFUNC_OK;
}

std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& transfer = *static_cast<Transfer*>(user);
    const std::size_t length = size * count;
    transfer.speed.Add(length, Clock::now());
    const std::string_view line(data, length);
    std::string_view value;
    if (line.starts_with("HTTP/")) {
        transfer.coding = {}; // the headers of another answer (after a 100 Continue) begin
    } else if (ContentEncodingValue(line, value)) {
        transfer.coding = ClassifyContentEncoding(value);
        long status = 0;
        curl_easy_getinfo(transfer.easy, CURLINFO_RESPONSE_CODE, &status);
        // Bytes the program cannot decode would be taken for lines; an error
        // page keeps its status as the reason.
        if (!transfer.coding.unreadable.empty() && Success(status)) {
            return 0;
        }
    }
    return length;
}

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& transfer = *static_cast<Transfer*>(user);
    const std::size_t length = size * count;
    transfer.speed.Add(length, Clock::now());
    if (transfer.status == 0) {
        curl_easy_getinfo(transfer.easy, CURLINFO_RESPONSE_CODE, &transfer.status);
        curl_off_t announced = -1;
        curl_easy_getinfo(transfer.easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
        // A compressed answer announces its compressed length, not what arrives here.
        transfer.announced =
            announced > 0 && !transfer.coding.compressed ? static_cast<std::uint64_t>(announced) : 0;
    }
    // An error page must not end up in the caller's file.
    if (!Success(transfer.status)) {
        transfer.statusRejected = true;
        return 0;
    }
    if (length > transfer.maxBodyBytes - transfer.received) {
        transfer.tooLarge = true;
        return 0;
    }
    try {
        (*transfer.sink)(data, length);
        transfer.received += length;
        if (transfer.progress && *transfer.progress) {
            (*transfer.progress)(transfer.received, transfer.announced);
        }
    } catch (...) {
        transfer.sinkError = std::current_exception();
        return 0;
    }
    return length;
}

std::string Seconds(std::chrono::milliseconds duration)
{
    // Appended piece by piece: "." + std::to_string(...) makes GCC 12 warn
    // (-Wrestrict) about a copy inside the library that cannot overlap.
    const auto tenths = (duration.count() + 50) / 100;
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0) {
        text += '.';
        text += std::to_string(tenths % 10);
    }
    text += " s";
    return text;
}

void CheckTransfer(CURL* easy, const std::string& url, CURLcode result, const Transfer& transfer,
                   std::size_t maxBodyBytes, std::chrono::milliseconds connectTimeout,
                   const char* errorBuffer)
{
    const std::string request = "GET " + url + ": ";
    if (transfer.sinkError) {
        try {
            std::rethrow_exception(transfer.sinkError);
        } catch (const HttpError& error) {
            throw HttpError(request + error.what(), error.failure());
        } catch (const std::exception& error) {
            throw HttpError(request + error.what(), {HttpFailureKind::WriteFailed});
        } catch (...) {
            throw HttpError(request + "writing the body failed", {HttpFailureKind::WriteFailed});
        }
    }
    // The status first: whatever else went wrong with an error page, the
    // status is what the user can act on.
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    if ((result == CURLE_OK || status != 0) && !Success(status)) {
        HttpFailure failure{HttpFailureKind::Status, status};
        char* location = nullptr;
        if (status >= 300 && status <= 399 &&
            curl_easy_getinfo(easy, CURLINFO_REDIRECT_URL, &location) == CURLE_OK && location) {
            failure.detail = location;
        }
        throw HttpError(request + "the server answered with status " + std::to_string(status), failure);
    }
    if (transfer.tooLarge || result == CURLE_FILESIZE_EXCEEDED) {
        HttpFailure failure{HttpFailureKind::TooLarge};
        failure.bytes = maxBodyBytes;
        throw HttpError(request + "the answer is larger than " + std::to_string(maxBodyBytes) + " bytes",
                        failure);
    }
    if (result != CURLE_OK && !transfer.coding.unreadable.empty()) {
        throw HttpError(request + "the answer is compressed as " + transfer.coding.unreadable,
                        {HttpFailureKind::Encoding, status, transfer.coding.unreadable});
    }
    switch (result) {
    case CURLE_OK:
        return;
    case CURLE_PARTIAL_FILE:
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
        throw HttpError(request + "the connection closed before the whole answer arrived" +
                            ErrorDetail(errorBuffer),
                        {HttpFailureKind::CutShort});
    case CURLE_OPERATION_TIMEDOUT: {
        HttpFailure failure{HttpFailureKind::ConnectTimeout};
        failure.milliseconds = connectTimeout.count();
        throw HttpTimeout(request + "no connection within " + Seconds(connectTimeout), failure);
    }
    case CURLE_COULDNT_CONNECT:
        throw HttpError(request + "cannot connect to the server" + ErrorDetail(errorBuffer),
                        {ConnectionRefused(easy) ? HttpFailureKind::Refused : HttpFailureKind::NoConnection});
    case CURLE_COULDNT_RESOLVE_HOST:
        throw HttpError(request + curl_easy_strerror(result) + ErrorDetail(errorBuffer),
                        {HttpFailureKind::HostNotFound});
    case CURLE_UNSUPPORTED_PROTOCOL:
        throw HttpError(request + curl_easy_strerror(result) + ErrorDetail(errorBuffer),
                        {HttpFailureKind::NotHttp, 0, SchemeOf(url)});
    case CURLE_BAD_CONTENT_ENCODING:
        throw HttpError(request + curl_easy_strerror(result) + ErrorDetail(errorBuffer),
                        {HttpFailureKind::Undecodable});
    default:
        throw HttpError(request + curl_easy_strerror(result) + ErrorDetail(errorBuffer),
                        {HttpFailureKind::Other, 0, curl_easy_strerror(result) + ErrorDetail(errorBuffer)});
    }
}

} // namespace dorvanta::curl_transfer
