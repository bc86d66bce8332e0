#pragma once

#include <QScrollBar>

namespace velmora {

// A scroll bar that draws no thumb while it is disabled: with nothing to
// scroll, desktop scroll bars show an empty track, whereas QScrollBar would
// draw the thumb of whatever range it holds.
class ScrollBar : public QScrollBar {
public:
    explicit ScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velmora
