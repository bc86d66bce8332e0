#include "app/SecondaryWindowSet.h"

#include "app/AboutWindow.h"
#include "app/HelpWindow.h"
#include "app/MainWindow.h"
#include "app/PresentationWindow.h"
#include "toolkit/NativeWindow.h"

namespace velmora::app {

SecondaryWindowSet::SecondaryWindowSet(MainWindow& main) : main_(main)
{
    buildTimer_.setSingleShot(true);
    QObject::connect(&buildTimer_, &QTimer::timeout, [this] {
        // With their native windows, so that a first showing only maps them
        // and screen readers know them from the start.
        CreateNativeWindow(Help());
        CreateNativeWindow(About());
        CreateNativeWindow(Presentation());
    });
}

SecondaryWindowSet::~SecondaryWindowSet() = default;

void SecondaryWindowSet::ShowHelp(const std::string& key)
{
    Help().ShowHelp(key);
}

void SecondaryWindowSet::ShowAbout()
{
    About().exec();
}

void SecondaryWindowSet::ShowAlphabet()
{
    Presentation().exec();
}

void SecondaryWindowSet::BuildAllSoon()
{
    // The main window is painted well within the splash's time on the screen.
    buildTimer_.start(MainWindow::kSplashDelayMs);
}

HelpWindow& SecondaryWindowSet::Help()
{
    if (!help_)
        help_ = std::make_unique<HelpWindow>(main_.Content().helpPages, main_.WindowColour(), main_);
    return *help_;
}

AboutWindow& SecondaryWindowSet::About()
{
    if (!about_)
        about_ = std::make_unique<AboutWindow>(&main_);
    return *about_;
}

PresentationWindow& SecondaryWindowSet::Presentation()
{
    if (!presentation_)
        presentation_ = std::make_unique<PresentationWindow>(main_.Content(), main_.WindowColour(), &main_);
    return *presentation_;
}

}  // namespace velmora::app
