#pragma once

#include <QObject>

#include <functional>

#include "app/MainWindowControls.h"

namespace velmora {
class ClipPlayer;
}

namespace velmora::app {

// The main window's bar of controls below the items: the slider ranges,
// the label buttons with their hover colours and what a click on each does,
// the repetition's pause label, the volume slider driving the player (or
// disabled with its labels when there is no volume), and the Start/Stop
// button's state.
class ControlBar : public QObject {
    Q_OBJECT
public:
    struct Actions {
        std::function<void()> startStop;
        std::function<void()> help;  // also the title bar
        std::function<void()> alphabet;
        std::function<void()> about;  // also the logo
        std::function<bool()> repeating;
    };

    // Sets the sliders up (the pause at 0.5 s, the volume at 0) and
    // connects every control. Owned by `parent`.
    ControlBar(const MainWindowControls& controls, ClipPlayer& player, Actions actions, QObject* parent);

    // The pause label for the slider's position, and the volume slider at
    // the player's volume.
    void ShowStartValues();
    // "Start" or "Stop", on the window colour or the repetition's own.
    void ShowRepetition(bool on);

private:
    // How often a device still opening is looked at again.
    static constexpr int kOpeningCheckMs = 5;

    void SetUpSliders();
    void ConnectButtons();
    void OnPauseChanged();
    void OnVolumeChanged();
    void ShowDeviceOnceOpen();
    void ShowVolumeAvailable(bool available);

    MainWindowControls controls_;
    ClipPlayer& player_;
    Actions actions_;
};

}  // namespace velmora::app
