#include "app/MainWindowFonts.h"

#include <QApplication>

#include "app/MainWindowDescription.h"
#include "app/MainWindowPainting.h"
#include "app/MainWindowTiles.h"
#include "app/WidthScale.h"
#include "app/WindowGeometry.h"
#include "toolkit/Desktop.h"
#include "toolkit/FormBuilder.h"

namespace velmora::app {

MainWindowFonts MainWindowFonts::ForPrimaryScreen()
{
    return MainWindowFonts{.workArea = Desktop::WorkArea(), .windowFont = QApplication::font()};
}

void MainWindowFonts::Measure() const
{
    FormBuilder::PrepareFonts(MainWindowDescription(), windowFont);
    tiles::MenuFont();
    // The window's outer width, frame included, is the same with any frame.
    tiles::CentreFont(WidthScale(MainWindowGeometry(workArea, QMargins()).width()));
    painting::TitleFont();
    painting::TitleEntryFont();
}

}  // namespace velmora::app
