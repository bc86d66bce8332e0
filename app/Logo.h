#pragma once

#include <QIcon>
#include <QImage>

namespace velmora::app {

// The program's own 76 x 46 logo: a speech bubble with sound waves. Drawn
// in code so that no picture file has to travel with the windows; `scale`
// draws it larger.
QImage Logo(qreal scale = 1);

// The logo centred on a transparent square `size` pixels wide: the program's
// icon, on its windows and in the desktop's icon theme alike.
QImage LogoIcon(int size);

// The icon every window of the program carries, at the sizes window
// managers and task bars ask for.
QIcon WindowIcon();

}  // namespace velmora::app
