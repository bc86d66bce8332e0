#pragma once

#include <QKeySequence>

#include <functional>
#include <initializer_list>

class QWidget;

namespace velmora {

// Keys a window answers wherever the focus is inside it, before the focused
// control sees them (a button's arrows, for one, move the focus otherwise).
class WindowKeys {
public:
    // `action` runs on each of `keys` while the focus is in `window` or its
    // children; an exception it throws is reported and dropped.
    static void Add(QWidget& window, std::initializer_list<QKeySequence> keys, std::function<void()> action);
};

}  // namespace velmora
