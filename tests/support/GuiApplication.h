#pragma once

#include <chrono>

class QApplication;

namespace velmora::test {

// The QApplication of a GUI test binary, created on first use rather than at
// start-up (test discovery runs the binary outside the test environment).
// Uses the offscreen platform when no other is set.
QApplication& GuiApplication();

// A base for test fixtures that hold widgets as members: constructed first,
// it makes sure the application exists before any of them.
struct NeedsGuiApplication {
    NeedsGuiApplication() { GuiApplication(); }
};

// Runs the real event loop until a timer of `period` fires: for checking that
// something does NOT happen while the program is idle. Never a bare sleep.
void RunEventLoopFor(std::chrono::milliseconds period);

}  // namespace velmora::test
