#pragma once

// One libcurl request of the HTTP client: what its callbacks share with the
// waiting loop, and how its end is judged. Only curl_http_client.cpp uses it.

#include "net/content_encoding.h"
#include "net/http_client.h"
#include "net/speed_window.h"

#include <curl/curl.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>

namespace dorvanta::curl_transfer {

using Clock = std::chrono::steady_clock;

using BodySink = std::function<void(const char* data, std::size_t size)>;

// What the libcurl callbacks of one request share with the waiting loop.
struct Transfer
{
    explicit Transfer(std::chrono::milliseconds window) : speed(window) {}

    CURL* easy = nullptr;
    BodySink* sink = nullptr;
    const ReceiveProgress* progress = nullptr;
    std::size_t maxBodyBytes = 0;
    std::size_t received = 0;
    std::uint64_t announced = 0;
    SpeedWindow speed; // runs from the moment the request is sent
    long status = 0;
    bool statusRejected = false;
    bool tooLarge = false;
    ContentCoding coding; // of the answer whose headers arrived last
    std::exception_ptr sinkError;
};

int OnRequestReady(void* user, char*, char*, int, int);
std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user);
std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user);

// "1.5 s"
std::string Seconds(std::chrono::milliseconds duration);

// Returns when the request ended well; otherwise throws the HttpError (an
// HttpTimeout for time) that says why, its failure() filled in.
// `errorBuffer` is the request's CURLOPT_ERRORBUFFER.
void CheckTransfer(CURL* easy, const std::string& url, CURLcode result, const Transfer& transfer,
                   std::size_t maxBodyBytes, std::chrono::milliseconds connectTimeout,
                   const char* errorBuffer);

} // namespace dorvanta::curl_transfer
