#include <QApplication>
#include <QPointer>

#include <cstdio>
#include <exception>
#include <memory>

#include "app/AboutWindow.h"
#include "app/HelpWindow.h"
#include "app/InstallLayout.h"
#include "app/Logo.h"
#include "app/MainWindow.h"
#include "app/PresentationWindow.h"
#include "app/QtPolish.h"
#include "app/RememberedVolume.h"
#include "app/SplashWindow.h"
#include "platform/SdlAudioOutput.h"
#include "sound/ClipPlayer.h"
#include "toolkit/MessageBox.h"
#include "toolkit/SingleInstance.h"

namespace {

using velmora::MessageBox;
using velmora::app::AboutWindow;
using velmora::app::HelpWindow;
using velmora::app::PresentationWindow;
using velmora::app::MainWindow;
using velmora::app::SplashWindow;

constexpr char kMarkerName[] = "Velmora 1.0 Demo Mutex";
constexpr char kTitle[] = "Velmora Demo";
constexpr char kAlreadyRunning[] =
    "Aplikacja jest aktualnie uruchomiona.\n\nZamknij proces aplikacji lub uruchom ponownie komputer.";
constexpr char kErrorCaption[] = "Błąd";
constexpr char kFatalError[] = "Wystąpił błąd krytyczny aplikacji!";

// A failure is shown in a box and, for a user who started the program from a
// terminal, on standard error in one line.
void ReportFailure(QWidget* owner, const QString& text, const QString& caption)
{
    std::fprintf(stderr, "velmora: %s\n", QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).toLocal8Bit().constData());
    MessageBox::Show(owner, text, caption, MessageBox::Icon::Error);
}

void BringToFront(QWidget& window)
{
    window.showNormal();
    window.raise();
    window.activateWindow();
}

// Creates the windows and runs the event loop until the main window closes.
void Run(velmora::ClipPlayer& player, velmora::SingleInstance& marker, std::unique_ptr<SplashWindow>& splash)
{
    splash = std::make_unique<SplashWindow>();
    splash->show();
    QApplication::processEvents();
    splash->raise();
    splash->activateWindow();
    QApplication::processEvents();

    MainWindow mainWindow(player);
    AboutWindow about(&mainWindow);
    HelpWindow help(mainWindow.Content().helpPages, mainWindow.WindowColour(), mainWindow);
    PresentationWindow presentation(mainWindow.Content(), mainWindow.WindowColour(), &mainWindow);
    mainWindow.SetSecondaryWindows({
        .showHelp = [&help](const std::string& key) { help.ShowHelp(key); },
        .showAbout = [&about] { about.exec(); },
        .showAlphabet = [&presentation] { presentation.exec(); },
    });
    const QPointer<QWidget> splashWhileShown = splash.get();
    mainWindow.SetSplash(splash.release());
    // The splash, while it exists, stands in for the program.
    marker.Listen([&mainWindow, splashWhileShown] {
        BringToFront(splashWhileShown ? *splashWhileShown : static_cast<QWidget&>(mainWindow));
    });
    mainWindow.show();
    QApplication::exec();
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // No display name: Qt would append it to every window's caption.
    QApplication::setApplicationName(QStringLiteral("velmora"));
    // Wayland compositors match the window to its desktop entry by this name.
    QGuiApplication::setDesktopFileName(velmora::app::ApplicationId());
    QApplication::setWindowIcon(velmora::app::WindowIcon());
    velmora::app::InstallQtPolish();

    velmora::SingleInstance marker(QString::fromUtf8(kMarkerName));
    switch (marker.ClaimOrRaiseRunning()) {
    case velmora::SingleInstance::Claim::First:
        break;
    case velmora::SingleInstance::Claim::RaisedRunning:
        return 0;
    case velmora::SingleInstance::Claim::RunningDidNotAnswer:
        ReportFailure(nullptr, QString::fromUtf8(kAlreadyRunning), QString::fromUtf8(kTitle));
        return 0;
    }

    velmora::SdlAudioOutput device;
    velmora::app::RememberedVolume output(device, velmora::app::RememberedVolume::DefaultConfigFile());
    velmora::ClipPlayer player(output);
    std::unique_ptr<SplashWindow> splash;
    try {
        Run(player, marker, splash);
    } catch (const std::exception& error) {
        ReportFailure(splash.get(), QString::fromUtf8(error.what()), QString::fromUtf8(kErrorCaption));
    } catch (...) {
        ReportFailure(splash.get(), QString::fromUtf8(kFatalError), QString::fromUtf8(kErrorCaption));
    }
    // The output must be silent before the last clip's buffer goes.
    player.StopAndReleaseClip();
    return 0;
}
