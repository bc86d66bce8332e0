#pragma once

#include <QString>

namespace velmora {

// The desktop's services for the windows: opening a document or address in
// the program the user chose for it, and the system's notification sound.
class Shell {
public:
    // Hands `target` (a path, a web or mail address) to the desktop as it is;
    // returns whether the desktop accepted it.
    static bool Open(const QString& target);
    static void Beep();
};

}  // namespace velmora
