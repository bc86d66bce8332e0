#include "toolkit/Shell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

namespace velmora {

bool Shell::Open(const QString& target)
{
    return QDesktopServices::openUrl(QUrl::fromUserInput(target));
}

void Shell::Beep()
{
    QApplication::beep();
}

}  // namespace velmora
