#include "app/windows1250.h"

#include "data/windows1250.h"

namespace dorvanta {

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
    // The program's one table, not Qt's converter: the bytes the code page
    // leaves undefined read the same in the window, the command-line tool and
    // the exports, and a Qt without ICU reads them too.
    return Windows1250ToQStringByTable(bytes);
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

namespace {

// The rank of a Windows-1250 letter in the Romanian alphabet (0 for A, 30 for
// Z), or -1 for a byte that is no letter.
int RomanianRank(unsigned char byte)
{
    // Each ASCII letter, with room after A, I, S and T for Ă Â, Î, Ş, Ţ.
    if (byte >= 'a' && byte <= 'z') {
        byte = static_cast<unsigned char>(byte - 'a' + 'A');
    }
    if (byte >= 'A' && byte <= 'Z') {
        int rank = byte - 'A';
        rank += byte > 'A' ? 2 : 0; // Ă, Â
        rank += byte > 'I' ? 1 : 0; // Î
        rank += byte > 'S' ? 1 : 0; // Ş
        rank += byte > 'T' ? 1 : 0; // Ţ
        return rank;
    }
    switch (byte) {
    case 0xC3:
    case 0xE3:
        return 1; // Ă ă
    case 0xC2:
    case 0xE2:
        return 2; // Â â
    case 0xCE:
    case 0xEE:
        return RomanianRank('I') + 1; // Î î
    case 0xAA:
    case 0xBA:
        return RomanianRank('S') + 1; // Ş ş
    case 0xDE:
    case 0xFE:
        return RomanianRank('T') + 1; // Ţ ţ
    case 0xC1:
    case 0xE1:
    case 0xC4:
    case 0xE4:
    case 0xA5:
    case 0xB9:
        return RomanianRank('A');
    case 0xC7:
    case 0xE7:
    case 0xC6:
    case 0xE6:
    case 0xC8:
    case 0xE8:
        return RomanianRank('C');
    case 0xC9:
    case 0xE9:
    case 0xCB:
    case 0xEB:
    case 0xCA:
    case 0xEA:
    case 0xCC:
    case 0xEC:
        return RomanianRank('E');
    case 0xCD:
    case 0xED:
        return RomanianRank('I');
    case 0xD3:
    case 0xF3:
    case 0xD4:
    case 0xF4:
    case 0xD6:
    case 0xF6:
    case 0xD5:
    case 0xF5:
        return RomanianRank('O');
    case 0xDA:
    case 0xFA:
    case 0xDC:
    case 0xFC:
    case 0xD9:
    case 0xF9:
    case 0xDB:
    case 0xFB:
        return RomanianRank('U');
    case 0x8A:
    case 0x9A:
    case 0x8C:
    case 0x9C:
        return RomanianRank('S');
    case 0x8D:
    case 0x9D:
        return RomanianRank('T');
    case 0x8E:
    case 0x9E:
    case 0x8F:
    case 0x9F:
    case 0xAF:
    case 0xBF:
        return RomanianRank('Z');
    case 0xDD:
    case 0xFD:
        return RomanianRank('Y');
    default:
        return -1;
    }
}

} // namespace

QByteArray RomanianSortKey(std::string_view windows1250)
{
    QByteArray key;
    key.reserve(static_cast<qsizetype>(windows1250.size()));
    for (const char c : windows1250) {
        const auto byte = static_cast<unsigned char>(c);
        const int rank = RomanianRank(byte);
        int weight = byte; // below 'A': spaces, digits, punctuation
        if (rank >= 0) {
            weight = 'A' + rank; // up to 0x5F
        } else if (byte >= 0x80) {
            weight = 0x85 + ((byte - 0x80) >> 1);
        } else if (byte >= 'A') {
            weight = 0x60 + (byte - 'A'); // the other signs, after the letters
        }
        key.append(static_cast<char>(weight));
    }
    return key;
}

} // namespace dorvanta
