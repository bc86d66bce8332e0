#pragma once

#include <QTimer>

#include <memory>
#include <string>

namespace velmora::app {

class AboutWindow;
class HelpWindow;
class MainWindow;
class PresentationWindow;

// The help, presentation and about windows of a main window. None of them is
// needed for its first paint: each is built when first asked for, or all
// once the main window has been up for a moment, whichever comes first.
// They go before the main window does.
class SecondaryWindowSet {
public:
    explicit SecondaryWindowSet(MainWindow& main);
    ~SecondaryWindowSet();
    SecondaryWindowSet(const SecondaryWindowSet&) = delete;
    SecondaryWindowSet& operator=(const SecondaryWindowSet&) = delete;

    void ShowHelp(const std::string& key);
    void ShowAbout();
    void ShowAlphabet();

    // Builds those not built yet, after the delay that lets the main window
    // be painted first.
    void BuildAllSoon();

private:
    HelpWindow& Help();
    AboutWindow& About();
    PresentationWindow& Presentation();

    MainWindow& main_;
    QTimer buildTimer_;  // goes with the set, so never fires after it
    std::unique_ptr<HelpWindow> help_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<PresentationWindow> presentation_;
};

}  // namespace velmora::app
