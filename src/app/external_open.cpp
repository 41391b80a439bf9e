#include "app/external_open.h"

#include <QDesktopServices>

#include <utility>

namespace dorvanta {

namespace {

ExternalOpener& Opener()
{
    static ExternalOpener opener;
    return opener;
}

} // namespace

void OpenExternally(const QUrl& url)
{
    if (Opener()) {
        Opener()(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

void SetExternalOpener(ExternalOpener opener)
{
    Opener() = std::move(opener);
}

} // namespace dorvanta
