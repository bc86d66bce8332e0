#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTransform>

#include <vector>

class QPainter;

namespace velmora::app {

// The program's own 76 x 46 logo: a speech bubble with sound waves. Drawn
// in code so that no picture file has to travel with the windows; `scale`
// draws it larger.
QImage Logo(qreal scale = 1);

// The logo at the pixels of a screen of `devicePixelRatio`. Painted once per
// ratio, by whichever thread asks first (the start asks on a thread of its
// own), and kept: the splash and the main window show the same picture.
QImage ScreenLogo(qreal devicePixelRatio);

// The logo for a window on a screen of `devicePixelRatio`: drawn at the
// screen's pixels, 76 x 46 in the window's.
QPixmap LogoPixmap(qreal devicePixelRatio);

// Paints the logo in its own 76 x 46 units through the painter's transform.
void PaintLogo(QPainter& painter);

// Where the logo sits on the program's square icon `size` units wide:
// centred, taking most of the width.
QTransform LogoIconTransform(qreal size);

// The logo centred on a transparent square `size` pixels wide: the program's
// icon, on its windows and in the desktop's icon theme alike.
QImage LogoIcon(int size);

// The same icon as SVG, for the icon theme's scalable folder.
QByteArray LogoIconSvg();

// The icon every window of the program carries, at the sizes window
// managers and task bars ask for. Painting them takes a few milliseconds:
// the images may be drawn on any thread, the icon is made from them on the
// user-interface thread.
std::vector<QImage> WindowIconImages();
QIcon WindowIcon(const std::vector<QImage>& images);

}  // namespace velmora::app
