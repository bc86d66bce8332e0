#pragma once

#include <QWidget>

namespace velmora::app {

// The borderless window shown while the main window loads the content: the
// product name, the logo, the version and a request to wait. Its title is
// what a second start of the program looks for.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr char kTitle[] = "Velmora Demo Splash";
    static constexpr char kVersion[] = "1.0 Demo";

    explicit SplashWindow(QWidget* parent = nullptr);

    // Centres the window on the desktop's work area.
    void CentreOnDesktop();
};

}  // namespace velmora::app
