#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <string>

class QSocketNotifier;

namespace velmora {

// One running instance per user. The first instance holds an flock() on a
// lock file in the user's runtime folder: the kernel decides atomically who
// is first and drops the lock when the holder dies, however it dies. The
// holder then listens on a Unix socket of the same name, over which a later
// instance asks it to come to the front. Plain sockets with the event
// loop's notifiers: a network library is not worth its loading time here.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Claim { First, RaisedRunning, RunningDidNotAnswer };

    // `name` names the marker; it is made safe for use as a file name.
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);
    ~SingleInstance() override;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the marker, or else asks the instance that holds it to raise its
    // window and waits up to `answerTimeoutMs` for its answer.
    Claim ClaimOrRaiseRunning(int answerTimeoutMs = 2000);

    // First instance only: starts answering raise requests with `onRaise`.
    bool Listen(std::function<void()> onRaise);

    // The lock file and socket paths, for tests.
    QString LockPath() const { return lockPath_; }
    QString SocketPath() const { return socketPath_; }

private:
    // A later instance's connection, until its request has been answered.
    struct Caller {
        int fd = -1;
        std::unique_ptr<QSocketNotifier> notifier;
        std::string received;
        ~Caller();
    };

    bool TryLock();
    bool AskRunningToRaise(int answerTimeoutMs) const;
    void AcceptCallers();
    void ReadFrom(int fd);

    QString lockPath_;
    QString socketPath_;
    int lockFd_ = -1;
    int listenFd_ = -1;
    QSocketNotifier* listening_ = nullptr;
    std::map<int, Caller> callers_;
    std::function<void()> onRaise_;
};

}  // namespace velmora
