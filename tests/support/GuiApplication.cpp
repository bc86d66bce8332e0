#include "support/GuiApplication.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

// LeakSanitizer reads this from any binary that defines it. fontconfig keeps
// a few hundred bytes it never frees once Qt has matched a named family;
// nothing of ours. Unused without the sanitizer.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace velmora::test {

QApplication& GuiApplication()
{
    static int argc = 1;
    static char name[] = "velmora-gui-test";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *application;
}

void RunEventLoopFor(std::chrono::milliseconds period)
{
    QEventLoop loop;
    QTimer::singleShot(period, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace velmora::test
