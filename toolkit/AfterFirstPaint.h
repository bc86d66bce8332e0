#pragma once

#include <functional>

class QWidget;

namespace velmora {

// Runs `action` once, on the user-interface thread, as soon as `window` has
// been painted for the first time and the painting flushed, or when
// `latestMs` have passed, whichever comes first: for work that may wait until
// a window is on the screen but must not wait for ever, for a window that is
// never painted.
void AfterFirstPaint(QWidget& window, std::function<void()> action, int latestMs);

}  // namespace velmora
