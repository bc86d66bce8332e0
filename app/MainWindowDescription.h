#pragma once

#include "toolkit/WindowDescription.h"

namespace velmora::app {

// The main window's controls at its design size (client 739 x 590).
const WindowDescription& MainWindowDescription();
// The design height of the title bar, which the title pictures fit.
int MainWindowTitleBandHeight();

}  // namespace velmora::app
