#pragma once

#include <QFont>
#include <QRect>

namespace velmora::app {

// What the start prepares on a thread of its own as soon as the toolkit is
// up, so that the user-interface thread finds it done when it builds its
// windows: the logo at the screen's pixels, which the splash shows first,
// then the main window's fonts in the order the window first uses them,
// measured for the size it will most likely get. The splash's own font the
// user-interface thread measures at once itself. A wrong guess costs only the
// time it would have saved.
struct StartPreparation {
    qreal devicePixelRatio = 1;
    QRect workArea;
    QFont windowFont;

    // For the primary screen, where the windows open, whose pixel ratio is
    // `devicePixelRatio`; on the user-interface thread.
    static StartPreparation ForPrimaryScreen(qreal devicePixelRatio);
    // On any thread.
    void Run() const;
};

}  // namespace velmora::app
