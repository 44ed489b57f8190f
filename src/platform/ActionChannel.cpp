#include "platform/ActionChannel.h"

#include "platform/AppId.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <algorithm>

namespace {

// An action is one short line; anything longer is not ours.
constexpr qint64 kMaxLine = 64;
const QByteArray kReceipt = QByteArrayLiteral("ok\n");

} // namespace

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

ActionServer::ActionServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &ActionServer::onNewConnection);
}

bool ActionServer::listen(const QString& path)
{
    QLocalServer::removeServer(path);
    return server_->listen(path);
}

QString ActionServer::errorString() const
{
    return server_->errorString();
}

void ActionServer::onNewConnection()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        if (socket->bytesAvailable() > 0)
            onReadyRead(socket);
    }
}

void ActionServer::onReadyRead(QLocalSocket* socket)
{
    while (socket->canReadLine()) {
        const QString action = QString::fromUtf8(socket->readLine(kMaxLine + 1)).trimmed();
        // The receipt goes first, so the caller ends at once however long the action takes.
        socket->write(kReceipt);
        socket->flush();
        emit actionReceived(action);
    }
    if (socket->bytesAvailable() > kMaxLine)
        socket->abort();
}

SendResult SendAction(const QString& path, const QString& action, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    auto left = [&] { return int(std::max<qint64>(1, timeoutMs - clock.elapsed())); };

    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(left()))
        return SendResult::NoCopyRunning;
    socket.write(action.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(left()))
        return SendResult::NoAnswer;
    while (!socket.canReadLine()) {
        if (clock.elapsed() >= timeoutMs || !socket.waitForReadyRead(left()))
            return SendResult::NoAnswer;
    }
    return socket.readLine(kMaxLine) == kReceipt ? SendResult::Delivered : SendResult::NoAnswer;
}
