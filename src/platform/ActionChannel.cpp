#include "platform/ActionChannel.h"

#include "platform/MachineFolders.h"
#include "store/Posix.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>

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
// A caller sends its line at once. Idle connections are not kept: each holds a
// descriptor the stores need when they are saved.
constexpr std::size_t kMaxCallers = 16;
constexpr int kLineTimeoutMs = 2000;
// When accept fails (no descriptors left), the pending connection stays pending and the
// socket stays readable: listening pauses for a while instead of spinning.
constexpr int kAcceptPauseMs = 1000;

// The socket's name in the runtime folder, which the data folder's key names already.
constexpr const char* kSocketName = "actions.socket";

bool FitsSocketAddress(const QString& path)
{
    return std::size_t(QFile::encodeName(path).size()) < sizeof(sockaddr_un::sun_path);
}

// "/tmp/pinleaf-<uid>", made private to the user; it must be a real folder of the user's.
QString ShortRuntimeFolder()
{
    const QByteArray folder = "/tmp/pinleaf-" + QByteArray::number(::geteuid());
    ::mkdir(folder.constData(), 0700);
    struct stat st {};
    if (::lstat(folder.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
        (st.st_mode & 077) != 0)
        ::chmod(folder.constData(), 0700);
    return QFile::decodeName(folder);
}

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

// One caller: its line so far, the watch on its socket and its time to send a line.
struct ActionServer::Caller {
    int fd;
    QSocketNotifier* notifier;
    QTimer* deadline;
    QByteArray line;
};

QString ActionSocketPath(const std::string& dataFolder)
{
    const QString path = QString::fromStdString(RuntimeFolderFor(dataFolder) + kSocketName);
    if (FitsSocketAddress(path))
        return path;
    // A deep folder would not fit in a socket address: a short private one does.
    return ShortRuntimeFolder() + QLatin1Char('/') +
           QString::fromStdString(DataFolderKey(dataFolder)) + QStringLiteral(".socket");
}

QString WhyNoActionChannel(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(bytes.constData(), &st) != 0)
        return QStringLiteral("it has no action socket at ") + path;
    if (!S_ISSOCK(st.st_mode))
        return path + QStringLiteral(" is not a socket");
    return QStringLiteral("nobody answers at ") + path;
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
    // The folder must be the user's own, and only a socket a crashed copy left may be
    // replaced: a file of another kind at this place is not ours to delete.
    struct stat st {};
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (::stat(folder.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) {
        error_ = QFile::decodeName(folder) + QStringLiteral(" is not a folder of this user");
        ::close(fd);
        return false;
    }
    if (::lstat(address.sun_path, &st) == 0) {
        if (!S_ISSOCK(st.st_mode)) {
            error_ = QStringLiteral("something that is not a socket is in the way");
            ::close(fd);
            return false;
        }
        ::unlink(address.sun_path);
    }
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
    listener_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(listener_, &QSocketNotifier::activated, this, &ActionServer::onNewConnection);
    return true;
}

QString ActionServer::errorString() const
{
    return error_;
}

void ActionServer::onNewConnection()
{
    for (;;) {
        const int fd = store::RetryOnEintr(
            [&] { return ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK); });
        if (fd < 0 && errno == ECONNABORTED)
            continue;
        if (fd < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            listener_->setEnabled(false);
            QTimer::singleShot(kAcceptPauseMs, this, [this] { listener_->setEnabled(true); });
        }
        if (fd < 0)
            return;
        // The newest caller is the likeliest to send a line: the longest idle one goes.
        if (callers_.size() >= kMaxCallers)
            dropCaller(callers_.front().get());
        auto caller = std::make_unique<Caller>(Caller{fd, nullptr, nullptr, {}});
        Caller* raw = caller.get();
        raw->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(raw->notifier, &QSocketNotifier::activated, this,
                [this, raw] { onReadyRead(raw); });
        raw->deadline = new QTimer(this);
        raw->deadline->setSingleShot(true);
        connect(raw->deadline, &QTimer::timeout, this, [this, raw] { dropCaller(raw); });
        raw->deadline->start(kLineTimeoutMs);
        callers_.push_back(std::move(caller));
    }
}

void ActionServer::onReadyRead(Caller* caller)
{
    char buffer[256];
    const ssize_t got =
        store::RetryOnEintr([&] { return ::read(caller->fd, buffer, sizeof(buffer)); });
    if (got < 0 && errno == EAGAIN)
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
        caller->deadline->start(kLineTimeoutMs);
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
    caller->deadline->stop();
    caller->deadline->deleteLater();
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
        const int ready = store::RetryOnEintr([&] { return ::poll(&wait, 1, left()); });
        if (ready <= 0)
            return SendResult::NoAnswer;
        char buffer[64];
        const ssize_t got = store::RetryOnEintr([&] { return ::read(fd, buffer, sizeof(buffer)); });
        if (got <= 0)
            return SendResult::NoAnswer;
        answer.append(buffer, qsizetype(got));
    }
    return answer.left(answer.indexOf('\n') + 1) == kReceipt ? SendResult::Delivered
                                                             : SendResult::NoAnswer;
}
