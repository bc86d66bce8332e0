#pragma once

#include <QRect>

namespace velmora::app {

// The main window's fonts whose pixel sizes take a search (cell heights),
// measured ahead on a thread while the splash shows, so that the window
// finds them cached: in the order the window first uses them, the items'
// at the size the window will most likely get. A wrong guess costs only the
// time it would have saved.
struct MainWindowFonts {
    QRect workArea;

    // For the primary screen, where the window opens; on the user-interface
    // thread.
    static MainWindowFonts ForPrimaryScreen();
    // On any thread.
    void Measure() const;
};

}  // namespace velmora::app
