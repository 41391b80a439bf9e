// The reasons of failed requests, as the user reads them beside "Could not
// connect to web site.": short, in the interface language, and without the
// address the user never typed.

#include "net/http_client.h"

namespace dorvanta {

namespace {

std::string SecondsText(std::int64_t milliseconds)
{
    const std::int64_t tenths = (milliseconds + 50) / 100;
    return std::to_string(tenths / 10) + (tenths % 10 ? "." + std::to_string(tenths % 10) : "") + " s";
}

// Text the server chose (a Location, an encoding's name) as it can be shown
// safely: printable ASCII only, so no byte of it can steer a terminal, and
// not longer than a status line can hold.
std::string Shown(std::string_view text)
{
    constexpr std::size_t kLongest = 200;
    std::string shown;
    for (const char c : text.substr(0, kLongest)) {
        shown += c >= 0x20 && c < 0x7F ? c : '?';
    }
    return text.size() > kLongest ? shown + "..." : shown;
}

std::string Words(Language language, std::string_view english, std::string_view romanian)
{
    return std::string(Pick(language, english, romanian));
}

} // namespace

std::string HttpFailureText(const HttpError& error, Language language)
{
    const HttpFailure& failure = error.failure();
    switch (failure.kind) {
    case HttpFailureKind::Status:
        if (!failure.detail.empty()) {
            return "HTTP " + std::to_string(failure.status) + Words(language, " to ", " catre ") +
                   Shown(failure.detail);
        }
        return "HTTP " + std::to_string(failure.status);
    case HttpFailureKind::Refused:
        return Words(language, "connection refused", "conexiune refuzata");
    case HttpFailureKind::HostNotFound:
        return Words(language, "the server's name was not found", "numele serverului nu a fost gasit");
    case HttpFailureKind::NoConnection:
        return Words(language, "no connection to the server", "nicio conexiune cu serverul");
    case HttpFailureKind::ConnectTimeout:
        return Words(language, "no connection within ", "nicio conexiune in ") +
               SecondsText(failure.milliseconds);
    case HttpFailureKind::Silent:
        return Words(language, "no answer for ", "niciun raspuns timp de ") +
               SecondsText(failure.milliseconds);
    case HttpFailureKind::TooSlow:
        return Words(language, "fewer than ", "mai putin de ") + std::to_string(failure.bytes) +
               Words(language, " bytes in ", " octeti in ") + SecondsText(failure.milliseconds);
    case HttpFailureKind::CutShort:
        return Words(language, "the connection closed before the whole answer arrived",
                     "conexiunea s-a inchis inainte de sosirea intregului raspuns");
    case HttpFailureKind::TooLarge:
        return Words(language, "the answer is larger than ", "raspunsul depaseste ") +
               std::to_string(failure.bytes) + Words(language, " bytes", " octeti");
    case HttpFailureKind::NotHttp:
        return Words(language, "only http:// addresses can be used, not ",
                     "se pot folosi doar adrese http://, nu ") +
               Shown(failure.detail) + "://";
    case HttpFailureKind::Encoding:
        return Words(language, "the answer is compressed as ", "raspunsul este comprimat ca ") +
               Shown(failure.detail) +
               Words(language, ", which the program cannot read", ", format pe care programul nu il citeste");
    case HttpFailureKind::Undecodable:
        return Words(language, "the compressed answer is damaged", "raspunsul comprimat este deteriorat");
    case HttpFailureKind::WriteFailed:
        return Words(language, "the answer could not be saved", "raspunsul nu a putut fi salvat");
    case HttpFailureKind::Other:
        break;
    }
    // libcurl's own words, which have no translation.
    return Words(language, "network error: ", "eroare de retea: ") +
           Shown(failure.detail.empty() ? std::string_view(error.what()) : std::string_view(failure.detail));
}

} // namespace dorvanta
