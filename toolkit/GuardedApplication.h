#pragma once

#include <QApplication>

namespace velmora {

// The program's application object. Every event handler, timer slot, queued
// call and event filter runs inside notify(); an exception that escapes one
// is reported on standard error in one line and the event is dropped, so
// the action is abandoned and the program goes on. Without this, the
// exception would unwind out of the event loop and end the program.
class GuardedApplication : public QApplication {
    Q_OBJECT
public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace velmora
