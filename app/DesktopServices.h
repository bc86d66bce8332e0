#pragma once

#include <QString>

#include <functional>

#include "toolkit/Shell.h"

namespace velmora::app {

// What the secondary windows ask of the desktop: opening a link's target
// (its result is not looked at) and the notification sound. Tests put
// recorders in their place.
struct DesktopServices {
    std::function<void(const QString& target)> open = [](const QString& target) { Shell::Open(target); };
    std::function<void()> beep = [] { Shell::Beep(); };
};

}  // namespace velmora::app
