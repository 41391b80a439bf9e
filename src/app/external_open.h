#pragma once

#include <QUrl>

#include <functional>

namespace dorvanta {

// Hands a web address or a "mailto:" address to the user's own programs
// (web browser, mail program). The result is not examined: a missing program
// simply has no visible effect.
void OpenExternally(const QUrl& url);

// Replaces what OpenExternally does, so tests can record the addresses instead
// of starting programs. An empty function restores the desktop's default.
using ExternalOpener = std::function<void(const QUrl&)>;
void SetExternalOpener(ExternalOpener opener);

} // namespace dorvanta
