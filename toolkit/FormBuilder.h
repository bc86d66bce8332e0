#pragma once

#include "toolkit/WindowDescription.h"

#include <QWidget>

#include <functional>
#include <typeinfo>

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

    // Builds the controls and answers the struct of them the rows' slots
    // fill. Throws std::invalid_argument for a row whose parent is not an
    // earlier row, or whose slot does not fit.
    template <class Controls>
    static Controls Build(QWidget& window, const WindowDescription& description, const Factory& factory = {})
    {
        Controls controls{};
        Build(window, description, factory, &controls, typeid(Controls));
        return controls;
    }

private:
    static void Build(QWidget& window, const WindowDescription& description, const Factory& factory, void* controls,
                      const std::type_info& owner);
};

}  // namespace velmora
