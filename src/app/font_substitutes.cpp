#include "app/font_substitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace dorvanta {

namespace {

void SubstituteWhenMissing(const QString& family, const QStringList& candidates)
{
    if (QFontDatabase::hasFamily(family)) {
        return;
    }
    QStringList present;
    for (const QString& candidate : candidates) {
        if (QFontDatabase::hasFamily(candidate)) {
            present.append(candidate);
        }
    }
    if (!present.isEmpty()) {
        QFont::insertSubstitutions(family, present);
    }
}

} // namespace

void InstallFontSubstitutes()
{
    static const bool installed = [] {
        SubstituteWhenMissing("Verdana",
                              {"DejaVu Sans", "Bitstream Vera Sans", "Liberation Sans", "Noto Sans"});
        SubstituteWhenMissing("Arial", {"Liberation Sans", "Arimo", "DejaVu Sans", "Noto Sans"});
        SubstituteWhenMissing("Helvetica", {"Liberation Sans", "Arimo", "DejaVu Sans", "Noto Sans"});
        return true;
    }();
    (void)installed;
}

} // namespace dorvanta
