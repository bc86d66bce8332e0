#pragma once

#include <QColor>
#include <QObject>
#include <QString>

#include <functional>

class QSlider;
class QWidget;

namespace velmora {
class TileList;
}

namespace velmora::app {

// The main window for the keyboard and for screen readers: the control
// bar's panels and the logo become push buttons, the focus goes menu,
// centre, Start, pause, volume, the three buttons and the logo, the sliders
// and lists are named, and the window answers its keys: F1 help, F11 full
// screen, Space repetition (unless a button has the focus, which Space
// presses), + and - the volume, Ctrl+Q quit. The window keeps its look; a
// control with the focus gets a dotted mark in the focus colour.
class MainWindowKeyboard : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QWidget& window;
        TileList& menu;
        TileList& centre;
        QWidget& startStop;
        QSlider& pause;
        QSlider& volume;
        QWidget& help;
        QWidget& alphabet;
        QWidget& about;
        QWidget& logo;
        QWidget& menuScrollBar;
        QWidget& centreScrollBar;
    };
    struct Actions {
        std::function<void()> startStop;
        std::function<void()> help;
        std::function<void()> alphabet;
        std::function<void()> about;
        // Enter on an item tile.
        std::function<void(int index)> playItem;
        std::function<QString(int index)> groupName;
        std::function<QString(int index)> itemName;
    };

    static constexpr int kVolumeKeyStep = 10;

    // Owned by the window.
    MainWindowKeyboard(const Controls& controls, Actions actions, const QColor& focusMark);

    // The text screen readers hear for the pause (tenths of a second) and
    // the volume (percent).
    static QString PauseText(int tenths);
    static QString VolumeText(int percent);
    // The Start/Stop button's name follows its caption.
    void SetStartStopName(const QString& caption);

private:
    void MakeButtons(const Controls& controls, const QColor& focusMark);
    void NameControls(const Controls& controls, const QColor& focusMark);
    void ChainFocus(const Controls& controls);
    void ConnectKeys(const Controls& controls);

    QWidget& window_;
    QWidget& startStop_;
    Actions actions_;
};

}  // namespace velmora::app
