#include "platform/qt_data_folder.h"

#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace dorvanta {

void SetApplicationNames()
{
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(QStringLiteral("dorvanta"));
}

std::filesystem::path QtPerUserDataFolder()
{
    const std::filesystem::path folder(
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation).toStdU16String());
    // Qt 6.4 takes a relative XDG_DATA_HOME as it stands, which would move the
    // user's data with the working folder; the XDG rules say to ignore it.
    return folder.is_absolute() ? folder : PerUserDataFolder();
}

} // namespace dorvanta
