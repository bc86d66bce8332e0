#include "toolkit/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace velmora {
namespace {

constexpr char kRaiseRequest[] = "raise\n";
constexpr char kRaiseAnswer[] = "raised\n";

QString SafeFileName(const QString& name)
{
    QString safe;
    for (const QChar c : name)
        safe += (c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('-')) ? c : QLatin1Char('_');
    return safe;
}

// $XDG_RUNTIME_DIR belongs to the user alone; without it the user id in the
// name keeps users apart in the shared /tmp.
QString MarkerBase(const QString& name)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return QDir(runtime).filePath(SafeFileName(name));
    return QDir(QStringLiteral("/tmp")).filePath(SafeFileName(name) + QLatin1Char('-') + QString::number(getuid()));
}

}  // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent) : QObject(parent)
{
    const QString base = MarkerBase(name);
    lockPath_ = base + QStringLiteral(".lock");
    socketPath_ = base + QStringLiteral(".socket");
}

SingleInstance::~SingleInstance()
{
    if (server_ != nullptr) {
        server_->close();
        QFile::remove(socketPath_);
    }
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

SingleInstance::Claim SingleInstance::ClaimOrRaiseRunning(int answerTimeoutMs)
{
    if (TryLock())
        return Claim::First;
    return AskRunningToRaise(answerTimeoutMs) ? Claim::RaisedRunning : Claim::RunningDidNotAnswer;
}

bool SingleInstance::TryLock()
{
    const QByteArray path = QFile::encodeName(lockPath_);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    lockFd_ = fd;
    return true;
}

bool SingleInstance::AskRunningToRaise(int answerTimeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(answerTimeoutMs))
        return false;
    socket.write(kRaiseRequest);
    if (!socket.waitForBytesWritten(answerTimeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(answerTimeoutMs))
            return false;
    }
    return socket.readLine() == kRaiseAnswer;
}

bool SingleInstance::Listen(std::function<void()> onRaise)
{
    if (lockFd_ < 0)
        return false;
    onRaise_ = std::move(onRaise);
    // Holding the lock proves that a socket file left here belongs to a dead
    // instance, so it can go.
    QFile::remove(socketPath_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::AnswerPendingConnections);
    return server_->listen(socketPath_);
}

void SingleInstance::AnswerPendingConnections()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { AnswerRequest(socket); });
        // The request may have arrived with the connection itself.
        AnswerRequest(socket);
    }
}

void SingleInstance::AnswerRequest(QLocalSocket* socket)
{
    if (!socket->canReadLine())
        return;
    if (socket->readLine() == kRaiseRequest) {
        if (onRaise_)
            onRaise_();
        socket->write(kRaiseAnswer);
        socket->flush();
    }
    socket->disconnectFromServer();
}

}  // namespace velmora
