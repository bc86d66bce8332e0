#pragma once

#include <QImage>

namespace velmora::app {

// The program's own 76 x 46 logo: a speech bubble with sound waves. Drawn
// in code so that no picture file has to travel with the windows; `scale`
// draws it larger (for the desktop icon).
QImage Logo(int scale = 1);

}  // namespace velmora::app
