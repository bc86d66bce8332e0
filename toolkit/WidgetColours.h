#pragma once

class QColor;
class QWidget;

namespace velmora {

// The two colours a window description gives a control, set through the
// widget's palette so that children without colours of their own follow.
class WidgetColours {
public:
    // Fills the widget's background with `colour`.
    static void SetBackground(QWidget& widget, const QColor& colour);
    // The colour of the widget's text (labels, edits and buttons alike).
    static void SetText(QWidget& widget, const QColor& colour);
};

}  // namespace velmora
