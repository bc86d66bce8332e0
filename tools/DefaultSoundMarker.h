#pragma once

class QImage;

namespace velmora::tool {

// The program's own sound-marker picture: a loudspeaker with two sound
// waves, dark on white, 60 x 60 pixels. Content that brings no marker of
// its own gets this one. Drawn with shapes only, so it needs no font and
// no display.
QImage DefaultSoundMarker();

}  // namespace velmora::tool
