#pragma once

#include <functional>

#include "app/MainWindowControls.h"

namespace velmora::app {

// The main window's bar of controls below the items: the slider ranges,
// the label buttons with their hover colours and what a click on each does,
// the Start/Stop button's state and the volume's availability.
namespace controlbar {

struct Actions {
    std::function<void()> startStop;
    std::function<void()> help;  // also the title bar
    std::function<void()> alphabet;
    std::function<void()> about;  // also the logo
    std::function<bool()> repeating;
};

// Slider ranges and ticks, the pause at 0.5 s, the volume at 0.
void SetUpSliders(const MainWindowControls& controls);
void ConnectButtons(const MainWindowControls& controls, const Actions& actions);
// "Start" or "Stop", on the window colour or the repetition's own.
void ShowRepetition(const MainWindowControls& controls, bool on);
// Without a volume the slider and its labels are disabled.
void ShowVolumeAvailable(const MainWindowControls& controls, bool available);

}  // namespace controlbar
}  // namespace velmora::app
