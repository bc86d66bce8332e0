#pragma once

class QObject;

namespace velmora {

// Gives screen readers the toolkit's own controls: a panel that shows a tile
// list is a list of its tiles, a widget made pressable is a push button or a
// link. Qt asks the factory when it first needs an object's interface and
// keeps what it got, so a control that becomes one of these later has its
// earlier interface forgotten.
class AccessibleFactory {
public:
    // Installs the factory once for the program; later calls do nothing.
    static void Install();
    // Drops the interface Qt keeps for `object`, so the next request asks
    // the factory again. Nothing while accessibility is off.
    static void Forget(QObject& object);
};

}  // namespace velmora
