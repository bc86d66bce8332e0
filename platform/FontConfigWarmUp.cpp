#include "platform/FontConfigWarmUp.h"

#include <fontconfig/fontconfig.h>

namespace velmora {

void WarmUpFontConfig()
{
    // The configuration is made once per process: the toolkit's own call
    // finds it made. A failure here leaves that call to report it.
    FcInit();
}

}  // namespace velmora
