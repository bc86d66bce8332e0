#include "app/PictureCheckRecordFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QStandardPaths>

#include <system_error>

namespace velmora::app {

std::string PictureCheckRecordFile(const std::filesystem::path& contentFolder)
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::canonical(contentFolder, error);
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (error || cache.isEmpty())
        return {};
    constexpr int kNameDigits = 16;
    const QByteArray name =
        QCryptographicHash::hash(QByteArray::fromStdString(folder.native()), QCryptographicHash::Sha256)
            .toHex()
            .left(kNameDigits);
    return QFile::encodeName(cache + QStringLiteral("/velmora/") + QString::fromLatin1(name) +
                             QStringLiteral(".pictures"))
        .toStdString();
}

}  // namespace velmora::app
