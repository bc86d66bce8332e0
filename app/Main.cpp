#include <QApplication>
#include <QDir>
#include <QPointer>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/AboutWindow.h"
#include "app/CommandLine.h"
#include "app/HelpWindow.h"
#include "app/InstallLayout.h"
#include "app/Logo.h"
#include "app/MainWindow.h"
#include "app/PresentationWindow.h"
#include "app/ProgramContent.h"
#include "app/QtPolish.h"
#include "app/RememberedVolume.h"
#include "app/SplashWindow.h"
#include "content/ContentError.h"
#include "content/ContentLoad.h"
#include "platform/SdlAudioOutput.h"
#include "sound/ClipPlayer.h"
#include "toolkit/GuardedApplication.h"
#include "toolkit/GuardedCall.h"
#include "toolkit/MessageBox.h"
#include "toolkit/OffThread.h"
#include "toolkit/SingleInstance.h"

namespace {

using velmora::MessageBox;
using velmora::app::AboutWindow;
using velmora::app::HelpWindow;
using velmora::app::MainWindow;
using velmora::app::PresentationWindow;
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
    std::fprintf(stderr, "velmora: %s\n",
                 QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).toLocal8Bit().constData());
    MessageBox::Show(owner, text, caption, MessageBox::Icon::Error);
}

// Answers --help and --version, and refuses a bad command line, without a
// window; otherwise enters the content folder. The exit status when the
// program must not go on.
int EnterContentFolder()
{
    using velmora::app::CommandLine;
    std::vector<std::string> arguments;
    for (const QString& argument : QApplication::arguments().mid(1))
        arguments.push_back(argument.toStdString());
    const CommandLine command = velmora::app::ParseCommandLine(arguments);
    if (command.action == CommandLine::Action::Bad) {
        std::fprintf(stderr, "velmora: %s\nTry 'velmora --help'.\n", command.problem.c_str());
        return 2;
    }
    const auto folder =
        velmora::app::ChooseContentDirectory(command.contentDirectory, QDir::currentPath().toStdString(),
                                             velmora::app::InstalledDemoDirectory().toStdString());
    if (!QDir::setCurrent(QString::fromStdString(folder.string()))) {
        std::fprintf(stderr, "velmora: %s: no such folder\n", folder.c_str());
        return 2;
    }
    return 0;
}

// --help and --version are answered before the toolkit starts: it needs a
// display. Returns whether the program is done.
bool AnswerBeforeStart(int argc, char** argv)
{
    using velmora::app::CommandLine;
    const CommandLine command = velmora::app::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (command.action == CommandLine::Action::Help)
        std::fputs(velmora::app::HelpText().c_str(), stdout);
    else if (command.action == CommandLine::Action::Version)
        std::fputs(velmora::app::VersionText().c_str(), stdout);
    else
        return false;
    return true;
}

void BringToFront(QWidget& window)
{
    window.showNormal();
    window.raise();
    window.activateWindow();
}

// The window a later start brings to the front: the splash while it
// exists, then the main window.
struct FrontWindow {
    QPointer<QWidget> splash;
    QPointer<QWidget> main;

    void Raise() const
    {
        if (QWidget* window = splash ? splash.data() : main.data())
            BringToFront(*window);
    }
};

// Creates the windows and runs the event loop until the main window closes;
// returns the loop's status.
int Run(velmora::ClipPlayer& player, FrontWindow& front, std::unique_ptr<SplashWindow>& splash)
{
    splash = std::make_unique<SplashWindow>();
    front.splash = splash.get();
    splash->show();
    QApplication::processEvents();
    splash->raise();
    splash->activateWindow();
    QApplication::processEvents();

    // Loaded off the user-interface thread, so that the splash is painted
    // and raised while it lasts; the windows are built here from the result.
    MainWindow mainWindow(velmora::app::ProgramContent(velmora::RunOffThread([] { return velmora::LoadContent(); })),
                          player);
    AboutWindow about(&mainWindow);
    HelpWindow help(mainWindow.Content().helpPages, mainWindow.WindowColour(), mainWindow);
    PresentationWindow presentation(mainWindow.Content(), mainWindow.WindowColour(), &mainWindow);
    mainWindow.SetSecondaryWindows({
        .showHelp = [&help](const std::string& key) { help.ShowHelp(key); },
        .showAbout = [&about] { about.exec(); },
        .showAlphabet = [&presentation] { presentation.exec(); },
    });
    front.main = &mainWindow;
    mainWindow.SetSplash(splash.release());
    mainWindow.show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv)
{
    if (AnswerBeforeStart(argc, argv))
        return std::fflush(stdout) == 0 ? 0 : 1;
    velmora::GuardedApplication application(argc, argv);
    if (const int status = EnterContentFolder(); status != 0)
        return status;
    // No display name: Qt would append it to every window's caption.
    QApplication::setApplicationName(QStringLiteral("velmora"));
    // Wayland compositors match the window to its desktop entry by this name.
    QGuiApplication::setDesktopFileName(velmora::app::ApplicationId());
    QApplication::setWindowIcon(velmora::app::WindowIcon());
    velmora::app::InstallQtPolish();

    FrontWindow front;
    velmora::SingleInstance marker(QString::fromUtf8(kMarkerName));
    switch (marker.ClaimOrRaiseRunning()) {
    case velmora::SingleInstance::Claim::First: break;
    case velmora::SingleInstance::Claim::RaisedRunning: return 0;
    case velmora::SingleInstance::Claim::RunningDidNotAnswer:
        ReportFailure(nullptr, QString::fromUtf8(kAlreadyRunning), QString::fromUtf8(kTitle));
        return 1;
    }
    // Answered from before the content is read, so that a start during the
    // loading raises this instance's splash instead of reporting it stuck.
    marker.Listen([&front] { front.Raise(); });

    velmora::SdlAudioOutput device;
    velmora::app::RememberedVolume output(device, velmora::app::RememberedVolume::DefaultConfigFile());
    velmora::ClipPlayer player(output);
    std::unique_ptr<SplashWindow> splash;
    int status = 1;
    try {
        status = Run(player, front, splash);
    } catch (const velmora::ContentError& error) {
        ReportFailure(splash.get(), QString::fromUtf8(error.what()), QString::fromUtf8(kErrorCaption));
    } catch (...) {
        // An internal text means nothing to the user; it goes to standard
        // error only.
        velmora::ReportCurrentException("start-up");
        MessageBox::Show(splash.get(), QString::fromUtf8(kFatalError), QString::fromUtf8(kErrorCaption),
                         MessageBox::Icon::Error);
    }
    // The output must be silent before the last clip's buffer goes.
    player.StopAndReleaseClip();
    return status;
}
