#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

namespace velmora {

// The application's single idle handler slot. The handler runs when the event
// loop has nothing else to do. It receives `done` set to true: leaving it true
// means "wait", and the handler runs again only after the next event has been
// processed (no polling while the program is idle); setting it false asks to
// run again as soon as the events pending by then have been processed, which
// is how long work is spread over idle time, one step per call.
//
// Setting a handler replaces the one installed, and runs the new one soon; a
// handler may clear or replace the slot from inside itself. A handler that
// throws is reported with qWarning and removed. Works only while a
// QCoreApplication exists; user-interface thread only.
class IdleSlot : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void(bool& done)>;

    static void Set(Handler handler);
    static void Clear();
    static bool IsSet();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit IdleSlot(QObject& application);
    static IdleSlot* Instance();

    void Install(Handler handler);
    void Remove();
    void RunHandler();

    std::shared_ptr<Handler> handler_;
    QTimer timer_;
    bool waitingForEvent_ = false;
    bool running_ = false;
    bool replacedWhileRunning_ = false;
};

}  // namespace velmora
