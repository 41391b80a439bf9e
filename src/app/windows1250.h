#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

// The stored texts and the generated pages are Windows-1250 bytes (Romanian).
// These helpers are the window's one edge between those bytes and Qt's text.
namespace dorvanta {

QString Windows1250ToQString(std::string_view bytes);

// Each text of a list, as the items of a box or a list.
QStringList Windows1250ToQStringList(const std::vector<std::string>& texts);

// Characters that have no Windows-1250 byte become "?"; the Romanian s and t
// with a comma below become the code page's s and t with a cedilla.
std::string QStringToWindows1250(const QString& text);

// The decoding through the program's one table (data/windows1250.h);
// public so tests can hold it against Qt's converter.
QString Windows1250ToQStringByTable(std::string_view bytes);

// A key, one byte a character, that sorts texts in the order of the Romanian
// alphabet whatever their case: A, Ă, Â, B ... I, Î, J ... S, Ş, T, Ţ, U ... Z.
// Other accented letters sort with their base letter; digits, spaces and
// punctuation before letters. Texts differing only in case have one key.
QByteArray RomanianSortKey(std::string_view windows1250);

} // namespace dorvanta
