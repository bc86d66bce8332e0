#include "app/InstallLayout.h"

#include <QDir>

#include <filesystem>
#include <system_error>

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
    // Asked of the system rather than the application object: the content
    // folder is chosen before the toolkit starts.
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return InstalledDemoDirectory(QString::fromStdString(executable.parent_path().string()));
}

}  // namespace velmora::app
