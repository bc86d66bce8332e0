#include "app/InstallLayout.h"

#include <QCoreApplication>
#include <QDir>

namespace velmora::app {

QString ApplicationId()
{
    return QStringLiteral(VELMORA_APP_ID);
}

QString InstalledDemoDirectory(const QString& executableDirectory)
{
    return QDir::cleanPath(executableDirectory + QLatin1Char('/') + QStringLiteral(VELMORA_DEMO_FROM_BINDIR));
}

QString InstalledDemoDirectory()
{
    return InstalledDemoDirectory(QCoreApplication::applicationDirPath());
}

}  // namespace velmora::app
