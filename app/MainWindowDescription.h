#pragma once

#include "toolkit/WindowDescription.h"

namespace velmora::app {

// The main window's controls at its design size (client 739 x 590).
const WindowDescription& MainWindowDescription();

}  // namespace velmora::app
