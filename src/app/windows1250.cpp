#include "app/windows1250.h"

#include "data/windows1250.h"

#include <QStringDecoder>

namespace dorvanta {

namespace {

constexpr const char* kCodecName = "windows-1250";

} // namespace

QString Windows1250ToQStringByTable(std::string_view bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.append(QChar(Windows1250ToUnicode(byte)));
    }
    return text;
}

QString Windows1250ToQString(std::string_view bytes)
{
    // One converter per thread, kept: the lists convert thousands of short texts.
    thread_local QStringDecoder decoder(kCodecName, QStringDecoder::Flag::Stateless);
    if (!decoder.isValid()) {
        return Windows1250ToQStringByTable(bytes);
    }
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QStringList Windows1250ToQStringList(const std::vector<std::string>& texts)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts) {
        list.append(Windows1250ToQString(text));
    }
    return list;
}

std::string QStringToWindows1250(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const std::optional<unsigned char> byte = UnicodeToWindows1250(text[i].unicode());
        bytes.push_back(byte ? static_cast<char>(*byte) : '?');
        // A character outside the basic plane is one "?", not two.
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        }
    }
    return bytes;
}

} // namespace dorvanta
