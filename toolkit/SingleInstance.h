#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;

namespace velmora {

// One running instance per user. The first instance holds an flock() on a
// lock file in the user's runtime folder: the kernel decides atomically who
// is first and drops the lock when the holder dies, however it dies. The
// holder then listens on a local socket of the same name, over which a
// later instance asks it to come to the front.
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
    bool TryLock();
    bool AskRunningToRaise(int answerTimeoutMs) const;
    void AnswerPendingConnections();
    void AnswerRequest(QLocalSocket* socket);

    QString lockPath_;
    QString socketPath_;
    int lockFd_ = -1;
    QLocalServer* server_ = nullptr;
    std::function<void()> onRaise_;
};

}  // namespace velmora
