#include "app/MainWindowFonts.h"

#include "app/MainWindowPainting.h"
#include "app/MainWindowTiles.h"
#include "app/WidthScale.h"
#include "app/WindowGeometry.h"
#include "toolkit/Desktop.h"

namespace velmora::app {

MainWindowFonts MainWindowFonts::ForPrimaryScreen()
{
    return MainWindowFonts{.workArea = Desktop::WorkArea()};
}

void MainWindowFonts::Measure() const
{
    tiles::MenuFont();
    // The window's outer width, frame included, is the same with any frame.
    tiles::CentreFont(WidthScale(MainWindowGeometry(workArea, QMargins()).width()));
    painting::TitleFont();
    painting::TitleEntryFont();
}

}  // namespace velmora::app
