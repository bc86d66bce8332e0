#pragma once

#include <QString>
#include <QUrl>

namespace velmora {

// The desktop's services for the windows: opening a document or address in
// the program the user chose for it, and the system's notification sound.
class Shell {
public:
    // Hands `target` to the desktop: an address with a scheme (http:, mailto:)
    // as that address, anything else as a local file, relative to the current
    // (content) directory. Returns whether the desktop accepted it; a missing
    // file is the desktop's to report.
    static bool Open(const QString& target);
    // The address `Open` hands over for `target`, with relative file paths
    // resolved against `baseDir` and backslashes read as separators, as
    // content prepared on Windows writes them.
    static QUrl TargetUrl(const QString& target, const QString& baseDir);
    static void Beep();
};

}  // namespace velmora
