#pragma once

#include <QString>

namespace velmora::app {

// Where an installed Velmora keeps its files, decided by the build's install
// directories. Paths are found from the executable's own folder, so an
// installation moved as a whole (an unpacked archive) still finds them.

// The reverse-DNS application id: the name of the desktop entry, the
// AppStream metainfo and the icon.
QString ApplicationId();

// The installed demo content for an executable in `executableDirectory`.
QString InstalledDemoDirectory(const QString& executableDirectory);

// The same for the running program.
QString InstalledDemoDirectory();

}  // namespace velmora::app
