#include "toolkit/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace velmora {
namespace {

constexpr char kRaiseRequest[] = "raise\n";
constexpr char kRaiseAnswer[] = "raised\n";
// Longer than any request: a caller that sends more is not one of ours.
constexpr std::size_t kLongestRequest = 64;

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

// The socket address of `path`; false when the path is too long for one.
bool SocketAddress(const QString& path, sockaddr_un& address)
{
    const QByteArray name = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (name.size() >= static_cast<qsizetype>(sizeof(address.sun_path)))
        return false;
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    return true;
}

bool SendAll(int fd, const char* text)
{
    std::size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t sent = ::send(fd, text, left, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        text += sent;
        left -= static_cast<std::size_t>(sent);
    }
    return true;
}

// Reads up to the first line end within the time left; the line without it.
bool ReceiveLine(int fd, int timeoutMs, std::string& line)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (line.find('\n') == std::string::npos && line.size() < kLongestRequest) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd wait{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&wait, 1, static_cast<int>(left.count())) <= 0)
            return false;
        char chunk[kLongestRequest];
        const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        line.append(chunk, static_cast<std::size_t>(got));
    }
    return line.find('\n') != std::string::npos;
}

}  // namespace

SingleInstance::Caller::~Caller()
{
    notifier.reset();
    if (fd >= 0)
        ::close(fd);
}

SingleInstance::SingleInstance(const QString& name, QObject* parent) : QObject(parent)
{
    const QString base = MarkerBase(name);
    lockPath_ = base + QStringLiteral(".lock");
    socketPath_ = base + QStringLiteral(".socket");
}

SingleInstance::~SingleInstance()
{
    callers_.clear();
    if (listenFd_ >= 0) {
        delete listening_;
        ::close(listenFd_);
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
    sockaddr_un address;
    if (!SocketAddress(socketPath_, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    std::string answer;
    const bool answered = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
                          SendAll(fd, kRaiseRequest) && ReceiveLine(fd, answerTimeoutMs, answer);
    ::close(fd);
    return answered && answer == kRaiseAnswer;
}

bool SingleInstance::Listen(std::function<void()> onRaise)
{
    if (lockFd_ < 0 || listenFd_ >= 0)
        return false;
    onRaise_ = std::move(onRaise);
    sockaddr_un address;
    if (!SocketAddress(socketPath_, address))
        return false;
    // Holding the lock proves that a socket file left here belongs to a dead
    // instance, so it can go.
    ::unlink(address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    // Only the user may connect, even outside a private runtime folder.
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        ::close(fd);
        return false;
    }
    listenFd_ = fd;
    listening_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(listening_, &QSocketNotifier::activated, this, &SingleInstance::AcceptCallers);
    return true;
}

void SingleInstance::AcceptCallers()
{
    for (;;) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0)
            return;
        Caller& caller = callers_[fd];
        caller.fd = fd;
        caller.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        connect(caller.notifier.get(), &QSocketNotifier::activated, this, [this, fd] { ReadFrom(fd); });
        // The request may have arrived with the connection itself.
        ReadFrom(fd);
    }
}

void SingleInstance::ReadFrom(int fd)
{
    auto found = callers_.find(fd);
    if (found == callers_.end())
        return;
    Caller& caller = found->second;
    char chunk[kLongestRequest];
    ssize_t got = 0;
    while ((got = ::recv(fd, chunk, sizeof chunk, 0)) > 0 && caller.received.size() <= kLongestRequest)
        caller.received.append(chunk, static_cast<std::size_t>(got));
    const bool waiting = got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR);
    const std::size_t end = caller.received.find('\n');
    if (end == std::string::npos && waiting && caller.received.size() <= kLongestRequest)
        return;
    if (end != std::string::npos && caller.received.compare(0, end + 1, kRaiseRequest) == 0) {
        if (onRaise_)
            onRaise_();
        SendAll(fd, kRaiseAnswer);
    }
    // Silenced before its socket closes, deleted later: this may be its own
    // signal.
    caller.notifier->setEnabled(false);
    caller.notifier.release()->deleteLater();
    callers_.erase(found);
}

}  // namespace velmora
