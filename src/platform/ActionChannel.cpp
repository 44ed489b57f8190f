#include "platform/ActionChannel.h"

#include "platform/AppId.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// An action is one short line; anything longer is not ours.
constexpr qint64 kMaxLine = 64;
const QByteArray kReceipt = QByteArrayLiteral("ok\n");

// A socket address for path, or false when the path does not fit in one.
bool SocketAddress(const QString& path, sockaddr_un& address)
{
    const QByteArray bytes = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (bytes.isEmpty() || std::size_t(bytes.size()) >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, bytes.constData(), std::size_t(bytes.size()));
    return true;
}

QString ErrorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

// One caller: its line so far and the watch on its socket.
struct ActionServer::Caller {
    int fd;
    QSocketNotifier* notifier;
    QByteArray line;
};

QString ActionSocketPath(const std::string& dataFolder)
{
    // Short and stable: a hash names the data folder without making the path too long
    // for a socket address.
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray::fromStdString(dataFolder), QCryptographicHash::Sha1)
            .toHex()
            .left(12);
    const QString name = QString::fromLatin1(AppId.data(), qsizetype(AppId.size())) +
                         QLatin1Char('.') + QString::fromLatin1(hash) + QStringLiteral(".socket");
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(name);
    return QDir(QString::fromStdString(dataFolder)).filePath(name);
}

ActionServer::ActionServer(QObject* parent) : QObject(parent) {}

ActionServer::~ActionServer()
{
    for (const auto& caller : callers_)
        ::close(caller->fd);
    if (fd_ >= 0)
        ::close(fd_);
}

bool ActionServer::listen(const QString& path)
{
    sockaddr_un address;
    if (!SocketAddress(path, address)) {
        error_ = QStringLiteral("the path is too long for a socket");
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        error_ = ErrorText(errno);
        return false;
    }
    ::unlink(address.sun_path);
    // Only the user may call: the socket is made private before anyone can connect.
    const mode_t mask = ::umask(0077);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    const int bindError = errno;
    ::umask(mask);
    if (!bound || ::listen(fd, 8) != 0) {
        error_ = ErrorText(bound ? errno : bindError);
        ::close(fd);
        return false;
    }
    fd_ = fd;
    auto* notifier = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &ActionServer::onNewConnection);
    return true;
}

QString ActionServer::errorString() const
{
    return error_;
}

void ActionServer::onNewConnection()
{
    for (;;) {
        const int fd = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0)
            return;
        auto caller = std::make_unique<Caller>(Caller{fd, nullptr, {}});
        Caller* raw = caller.get();
        raw->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(raw->notifier, &QSocketNotifier::activated, this,
                [this, raw] { onReadyRead(raw); });
        callers_.push_back(std::move(caller));
    }
}

void ActionServer::onReadyRead(Caller* caller)
{
    char buffer[256];
    const ssize_t got = ::read(caller->fd, buffer, sizeof(buffer));
    if (got < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (got > 0)
        caller->line.append(buffer, qsizetype(got));
    bool drop = got <= 0;
    QStringList actions;
    for (qsizetype end; !drop && (end = caller->line.indexOf('\n')) >= 0;) {
        actions.append(QString::fromUtf8(caller->line.left(end)).trimmed());
        caller->line.remove(0, end + 1);
        // The receipt goes first, so the caller ends at once however long the action takes.
        if (::send(caller->fd, kReceipt.constData(), std::size_t(kReceipt.size()), MSG_NOSIGNAL) <
            0)
            drop = true;
    }
    if (drop || caller->line.size() > kMaxLine)
        dropCaller(caller);
    // Last: an action may open a dialog and its own event loop, which serves this socket.
    for (const QString& action : actions)
        emit actionReceived(action);
}

void ActionServer::dropCaller(Caller* caller)
{
    caller->notifier->setEnabled(false);
    caller->notifier->deleteLater();
    ::close(caller->fd);
    std::erase_if(callers_, [caller](const auto& c) { return c.get() == caller; });
}

SendResult SendAction(const QString& path, const QString& action, int timeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    auto left = [&] {
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        return int(std::max<long long>(0, ms));
    };

    sockaddr_un address;
    if (!SocketAddress(path, address))
        return SendResult::NoCopyRunning;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return SendResult::NoCopyRunning;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    // A local connect is answered at once: refused or missing means nobody listens.
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0)
        return SendResult::NoCopyRunning;
    const QByteArray line = action.toUtf8() + '\n';
    if (::send(fd, line.constData(), std::size_t(line.size()), MSG_NOSIGNAL) != line.size())
        return SendResult::NoAnswer;
    QByteArray answer;
    while (!answer.contains('\n') && answer.size() <= kMaxLine) {
        pollfd wait{fd, POLLIN, 0};
        const int ready = ::poll(&wait, 1, left());
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return SendResult::NoAnswer;
        char buffer[64];
        const ssize_t got = ::read(fd, buffer, sizeof(buffer));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return SendResult::NoAnswer;
        answer.append(buffer, qsizetype(got));
    }
    return answer.left(answer.indexOf('\n') + 1) == kReceipt ? SendResult::Delivered
                                                             : SendResult::NoAnswer;
}
