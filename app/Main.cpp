#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QScreen>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "app/CommandLine.h"
#include "app/InstallLayout.h"
#include "app/Logo.h"
#include "app/MainWindow.h"
#include "app/PictureCheckRecordFile.h"
#include "app/ProgramContent.h"
#include "app/QtPolish.h"
#include "app/RememberedVolume.h"
#include "app/SecondaryWindowSet.h"
#include "app/SplashWindow.h"
#include "content/ContentError.h"
#include "content/ContentLoad.h"
#include "content/PictureCheckRecord.h"
#include "platform/FontConfigWarmUp.h"
#include "platform/SdlAudioOutput.h"
#include "sound/ClipPlayer.h"
#include "toolkit/AfterFirstPaint.h"
#include "toolkit/BackgroundWork.h"
#include "toolkit/FirstPaintWait.h"
#include "toolkit/GuardedApplication.h"
#include "toolkit/GuardedCall.h"
#include "toolkit/MessageBox.h"
#include "toolkit/SingleInstance.h"

namespace {

using velmora::MessageBox;
using velmora::app::MainWindow;
using velmora::app::SecondaryWindowSet;
using velmora::app::SplashWindow;

constexpr char kMarkerName[] = "Velmora 1.0 Demo Mutex";
constexpr char kTitle[] = "Velmora Demo";
constexpr char kAlreadyRunning[] =
    "Aplikacja jest aktualnie uruchomiona.\n\nZamknij proces aplikacji lub uruchom ponownie komputer.";
constexpr char kErrorCaption[] = "Błąd";
constexpr char kFatalError[] = "Wystąpił błąd krytyczny aplikacji!";
// What waits for the main window's first paint (the window icon, the audio
// device's opening) happens at the latest this long after it is shown.
constexpr int kLatestAfterFirstPaintMs = 500;
// A window system that does not expose the splash by then does not hold
// the main window back any longer.
constexpr int kLatestSplashPaintMs = 250;

// A failure is shown in a box and, for a user who started the program from a
// terminal, on standard error in one line.
void ReportFailure(QWidget* owner, const QString& text, const QString& caption)
{
    std::fprintf(stderr, "velmora: %s\n",
                 QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).toLocal8Bit().constData());
    MessageBox::Show(owner, text, caption, MessageBox::Icon::Error);
}

using ContentLoading = velmora::BackgroundWork<velmora::ContentLoadResult>;

std::vector<std::string> Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

// The toolkit takes its own options (-platform, -style, ...) out of the
// command line when it starts; a command line with no option at all can be
// acted on before.
bool MayHoldToolkitOptions(const std::vector<std::string>& arguments)
{
    return std::any_of(arguments.begin(), arguments.end(),
                       [](const std::string& argument) { return argument.starts_with('-'); });
}

// The content as the main window is built from it: loaded, and the menu's
// pictures rendered for the screen once the toolkit, starting meanwhile, has
// told its pixel ratio.
velmora::ContentLoadResult LoadForScreen(const std::shared_future<float>& pixelRatio,
                                         velmora::PictureCheckRecord* record)
{
    velmora::ContentLoadResult loaded = velmora::LoadContent(nullptr, record);
    if (!loaded.Ok())
        return loaded;
    std::unique_ptr<velmora::LoadedContent> content = loaded.Take();
    MainWindow::PrepareMenuPictures(*content, pixelRatio.get());
    return velmora::ContentLoadResult(std::move(content));
}

// The content's load, on a thread of its own from the moment it is made, and
// the record of earlier picture checks that spares it reading the pictures
// that have not changed. The record is saved only once the main window
// shows, so that writing it never delays the window.
class ContentStart {
public:
    ContentStart(std::string recordFile, const std::shared_future<float>& pixelRatio)
        : recordFile_(std::move(recordFile)), loading_([this, pixelRatio] {
              if (!recordFile_.empty())
                  record_.Read(recordFile_);
              return LoadForScreen(pixelRatio, recordFile_.empty() ? nullptr : &record_);
          })
    {}

    velmora::ContentLoadResult Wait() { return loading_.Wait(); }
    // After Wait, on any one thread; silent when the record cannot be written.
    void SaveRecord() const
    {
        if (!recordFile_.empty() && record_.Changed())
            record_.Write(recordFile_);
    }

private:
    const std::string recordFile_;
    velmora::PictureCheckRecord record_;
    ContentLoading loading_;  // last: its thread uses the members above
};

// Refuses a bad command line without a window, otherwise enters the content
// folder and starts loading it. The exit status when the program must not
// go on.
int EnterContentFolder(const std::vector<std::string>& arguments, std::unique_ptr<ContentStart>& loading,
                       const std::shared_future<float>& pixelRatio)
{
    using velmora::app::CommandLine;
    const CommandLine command = velmora::app::ParseCommandLine(arguments);
    if (command.action == CommandLine::Action::Bad) {
        std::fprintf(stderr, "velmora: %s\nTry 'velmora --help'.\n", command.problem.c_str());
        return 2;
    }
    std::error_code unknown;
    const auto folder =
        velmora::app::ChooseContentDirectory(command.contentDirectory, std::filesystem::current_path(unknown),
                                             velmora::app::InstalledDemoDirectory().toStdString());
    std::error_code error;
    std::filesystem::current_path(folder, error);
    if (error) {
        std::fprintf(stderr, "velmora: %s: no such folder\n", folder.c_str());
        return 2;
    }
    loading = std::make_unique<ContentStart>(velmora::app::PictureCheckRecordFile("."), pixelRatio);
    return 0;
}

// --help and --version are answered before the toolkit starts: it needs a
// display. Returns whether the program is done.
bool AnswerBeforeStart(const std::vector<std::string>& arguments)
{
    using velmora::app::CommandLine;
    const CommandLine command = velmora::app::ParseCommandLine(arguments);
    if (command.action == CommandLine::Action::Help)
        std::fputs(velmora::app::HelpText().c_str(), stdout);
    else if (command.action == CommandLine::Action::Version)
        std::fputs(velmora::app::VersionText().c_str(), stdout);
    else
        return false;
    return true;
}

// What the main window's devicePixelRatioF() will be: it opens on the
// primary screen.
float ScreenPixelRatio()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? static_cast<float>(screen->devicePixelRatio()) : 1.0f;
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

// The sound output, made once the content is in. SDL is loaded and the device
// opened on a thread of the output's own once the main window is painted, or
// sooner if a sound is wanted before: on a busy processor that thread would
// take turns with the windows' building and painting. Nothing waits for it
// but playing: the volume control shows the remembered volume meanwhile.
struct Sound {
    velmora::SdlAudioOutput device{velmora::SdlAudioOutput::Opening::OnRequest};
    velmora::app::RememberedVolume output{device, velmora::app::RememberedVolume::DefaultConfigFile()};
    velmora::ClipPlayer player{output};
};

// Creates the windows and runs the event loop until the main window closes;
// returns the loop's status.
int Run(ContentStart& loading, std::optional<Sound>& sound, FrontWindow& front, std::unique_ptr<SplashWindow>& splash)
{
    splash = std::make_unique<SplashWindow>();
    front.splash = splash.get();
    velmora::FirstPaintWait splashPainted(*splash);
    splash->show();
    QApplication::processEvents();
    splash->raise();
    splash->activateWindow();
    QApplication::processEvents();
    // Painted meanwhile, so that the splash's own painting has the
    // processor; the windows take the icon once the main window has been
    // painted: its six sizes, sent to the window system for each window,
    // would otherwise go before that painting.
    velmora::BackgroundWork iconImages(velmora::app::WindowIconImages);
    // A window manager exposes the splash only once it has framed it, after
    // the events above; the main window is not built before the splash is
    // on the screen.
    splashPainted.Wait(kLatestSplashPaintMs);

    // The content has been loading on a thread of its own since the start;
    // the windows are built here from the result.
    auto content = velmora::app::ProgramContent(loading.Wait());
    sound.emplace();
    MainWindow mainWindow(std::move(content), sound->player);
    SecondaryWindowSet secondary(mainWindow);
    mainWindow.SetSecondaryWindows({
        .showHelp = [&secondary](const std::string& key) { secondary.ShowHelp(key); },
        .showAbout = [&secondary] { secondary.ShowAbout(); },
        .showAlphabet = [&secondary] { secondary.ShowAlphabet(); },
    });
    front.main = &mainWindow;
    mainWindow.SetSplash(splash.release());
    mainWindow.show();
    velmora::AfterFirstPaint(
        mainWindow,
        [&sound, &iconImages] {
            QApplication::setWindowIcon(velmora::app::WindowIcon(iconImages.Wait()));
            sound->device.StartOpening();
        },
        kLatestAfterFirstPaintMs);
    secondary.BuildAllSoon();
    // On a thread, so that the main window's first paint never waits for it.
    velmora::BackgroundWork<void> savingRecord([&loading] { loading.SaveRecord(); });
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments = Arguments(argc, argv);
    if (AnswerBeforeStart(arguments))
        return std::fflush(stdout) == 0 ? 0 : 1;
    // While the toolkit starts: the font configuration, wanted for the
    // splash's texts, and the content, unless the command line has to wait
    // for the toolkit to take its options out.
    velmora::BackgroundWork<void> fontConfig(velmora::WarmUpFontConfig);
    std::unique_ptr<ContentStart> loading;
    // Made after `loading` so that it goes first: a loading thread still
    // waiting for it then ends, and `loading` can be joined.
    std::promise<float> screenRatio;
    const std::shared_future<float> pixelRatio = screenRatio.get_future().share();
    if (!MayHoldToolkitOptions(arguments))
        if (const int status = EnterContentFolder(arguments, loading, pixelRatio); status != 0)
            return status;
    velmora::GuardedApplication application(argc, argv);
    const float ratio = ScreenPixelRatio();
    screenRatio.set_value(ratio);
    // Before anything draws text: the toolkit's first text makes the font
    // configuration too unless it is made, and fontconfig's shared state can
    // be corrupted when two threads make it at once.
    fontConfig.Wait();
    // Painted meanwhile, for the splash and the main window alike.
    velmora::BackgroundWork<void> logo([ratio] { velmora::app::ScreenLogo(ratio); });
    if (!loading) {
        // What is left once the toolkit has taken its own.
        std::vector<std::string> left;
        for (const QString& argument : QApplication::arguments().mid(1))
            left.push_back(argument.toLocal8Bit().toStdString());
        if (const int status = EnterContentFolder(left, loading, pixelRatio); status != 0)
            return status;
    }
    // No display name: Qt would append it to every window's caption.
    QApplication::setApplicationName(QStringLiteral("velmora"));
    // Wayland compositors match the window to its desktop entry by this name.
    QGuiApplication::setDesktopFileName(velmora::app::ApplicationId());
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

    std::optional<Sound> sound;
    std::unique_ptr<SplashWindow> splash;
    int status = 1;
    try {
        status = Run(*loading, sound, front, splash);
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
    if (sound)
        sound->player.StopAndReleaseClip();
    return status;
}
