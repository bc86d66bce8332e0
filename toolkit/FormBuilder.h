#pragma once

#include "toolkit/WindowDescription.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <stdexcept>
#include <string>

namespace velmora {

// Builds a window's controls from its description: creates each control as
// a child of its parent, names it (objectName = the row's name), gives it its
// text, font, colours and options, and registers it with the parent's
// AnchorLayout at its design rectangle, so every later resize of the window
// re-applies the anchors. The window is resized to its design client size.
class FormBuilder {
public:
    // Creates the widget for a row instead of the standard one for its kind
    // (return null to keep the standard one); the builder sets the parent and
    // everything else.
    using Factory = std::function<QWidget*(const ControlDescription& control)>;

    // Throws std::invalid_argument for a row whose parent is not an earlier row.
    static void Build(QWidget& window, const WindowDescription& description, const Factory& factory = {});

    // The control named `name` below `window`, as a T. Throws
    // std::invalid_argument when there is none of that type.
    template <class T>
    static T& Find(const QWidget& window, const char* name)
    {
        T* found = window.findChild<T*>(QString::fromUtf8(name));
        if (found == nullptr)
            throw std::invalid_argument(std::string("no control named ") + name);
        return *found;
    }
};

}  // namespace velmora
