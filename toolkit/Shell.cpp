#include "toolkit/Shell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QRegularExpression>

namespace velmora {

namespace {

// A scheme is a letter followed by letters, digits, '+', '-' or '.', then a
// colon. One letter alone is a Windows drive ("C:\docs"), which is a path.
bool HasUrlScheme(const QString& target)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(target).hasMatch();
}

}  // namespace

QUrl Shell::TargetUrl(const QString& target, const QString& baseDir)
{
    if (HasUrlScheme(target)) {
        return QUrl(target);
    }
    QString path = target;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QUrl::fromLocalFile(QDir::cleanPath(QDir(baseDir).absoluteFilePath(path)));
}

bool Shell::Open(const QString& target)
{
    return QDesktopServices::openUrl(TargetUrl(target, QDir::currentPath()));
}

void Shell::Beep()
{
    QApplication::beep();
}

}  // namespace velmora
