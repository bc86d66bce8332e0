#pragma once

class QLabel;
class QScrollBar;
class QSlider;
class QWidget;

namespace velmora {
class Panel;
}

namespace velmora::app {

// The main window's controls the window works with, as the form builder
// hands them over from MainWindowDescription.
struct MainWindowControls {
    QLabel* logo = nullptr;
    QLabel* demoLabel = nullptr;
    QWidget* centreGroup = nullptr;
    Panel* titlePanel = nullptr;
    Panel* centrePanel = nullptr;
    QScrollBar* centreScrollBar = nullptr;
    QWidget* menuGroup = nullptr;
    Panel* menuPanel = nullptr;
    QScrollBar* menuScrollBar = nullptr;
    QLabel* repeatLabel = nullptr;
    Panel* startStopPanel = nullptr;
    QLabel* startStopLabel = nullptr;
    QSlider* pauseSlider = nullptr;
    QLabel* volumeCaption = nullptr;
    QLabel* volumeMinLabel = nullptr;
    QSlider* volumeSlider = nullptr;
    QLabel* volumeMaxLabel = nullptr;
    Panel* helpPanel = nullptr;
    QLabel* helpMarkLabel = nullptr;
    QLabel* helpInfoLabel = nullptr;
    QLabel* helpMoreLabel = nullptr;
    Panel* alphabetPanel = nullptr;
    QLabel* alphabetLabel = nullptr;
    Panel* aboutPanel = nullptr;
    QLabel* aboutLabel = nullptr;
};

}  // namespace velmora::app
