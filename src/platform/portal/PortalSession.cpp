#include "platform/portal/PortalSession.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QObject>

#include <utility>

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString kSessionInterface = QStringLiteral("org.freedesktop.portal.Session");
// A portal that has not told its version in this time counts as none.
constexpr int kVersionTimeoutMs = 3000;

// Object paths come as "o" from most portals, as "s" where the documentation says so.
QString PathOf(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

} // namespace

// Hands one bus signal to a function. QtDBus routes bus signals to slots by name only;
// taking the whole message lets the handler tell a malformed signal from none. Signals
// of any sender arrive: naming the portal's well-known name here would make QtDBus look
// up its owner with a call that waits.
class PortalSignalRelay : public QObject {
    Q_OBJECT
public:
    PortalSignalRelay(QDBusConnection bus, QString path, QString interface, QString name,
                      std::function<void(const QDBusMessage&)> handler, QObject* parent)
        : QObject(parent), bus_(std::move(bus)), path_(std::move(path)),
          interface_(std::move(interface)), name_(std::move(name)), handler_(std::move(handler))
    {
        bus_.connect(QString(), path_, interface_, name_, this, SLOT(deliver(QDBusMessage)));
    }

    // Stops at once; the relay itself goes when the event loop is back.
    void stop()
    {
        bus_.disconnect(QString(), path_, interface_, name_, this, SLOT(deliver(QDBusMessage)));
        handler_ = nullptr;
        deleteLater();
    }

private slots:
    void deliver(const QDBusMessage& message)
    {
        // A copy: the handler may stop this relay, which drops handler_.
        if (const auto handler = handler_)
            handler(message);
    }

private:
    QDBusConnection bus_;
    QString path_;
    QString interface_;
    QString name_;
    std::function<void(const QDBusMessage&)> handler_;
};

PortalSession::PortalSession(const QDBusConnection& bus, const QString& interface)
    : bus_(bus), interface_(interface), context_(std::make_unique<QObject>())
{
    auto* watcher = new QDBusServiceWatcher(
        kService, bus_, QDBusServiceWatcher::WatchForUnregistration, context_.get());
    QObject::connect(watcher, &QDBusServiceWatcher::serviceUnregistered, context_.get(),
                     [this] { portalGone(); });
}

PortalSession::~PortalSession()
{
    closeSession();
}

void PortalSession::RegisterAppId(const QDBusConnection& bus, const QString& appId)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.host.portal.Registry"),
        QStringLiteral("Register"));
    call << appId << QVariantMap{};
    // No registry (older portals) or an id already known: the portal still works.
    bus.send(call);
}

void PortalSession::checkVersion(std::function<void(uint version, const QString& error)> done)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << interface_ << QStringLiteral("version");
    auto* watcher =
        new QDBusPendingCallWatcher(bus_.asyncCall(call, kVersionTimeoutMs), context_.get());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context_.get(),
                     [this, watcher, done = std::move(done)] {
                         watcher->deleteLater();
                         const QDBusPendingReply<QDBusVariant> reply = *watcher;
                         if (reply.isError()) {
                             done(0, reply.error().name());
                             return;
                         }
                         // From now on only this connection's signals are the portal's.
                         owner_ = watcher->reply().service();
                         done(reply.value().variant().toUInt(), {});
                     });
}

void PortalSession::request(const QString& method, QVariantList arguments, QVariantMap options,
                            ResponseHandler handler)
{
    send(method, std::move(arguments), std::move(options),
         [this, epoch = epoch_, handler = std::move(handler)](uint response,
                                                              const QVariantMap& results) {
             if (epoch == epoch_)
                 handler(response, results);
         });
}

void PortalSession::send(const QString& method, QVariantList arguments, QVariantMap options,
                         ResponseHandler handler)
{
    // The request object's path follows from the token, so its Response is listened
    // for before the call: a fast portal cannot answer into the void.
    const QString token = nextToken();
    const QString expected = requestPath(token);
    const unsigned epoch = epoch_;
    options.insert(QStringLiteral("handle_token"), token);
    expectResponse(expected, method, epoch, std::move(handler));

    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, interface_, method);
    arguments.append(options);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), context_.get());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context_.get(),
                     [this, watcher, expected, method, epoch] {
                         watcher->deleteLater();
                         const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
                         auto found = responses_.find(expected);
                         if (reply.isError()) {
                             forgetResponse(expected);
                             if (epoch == epoch_)
                                 failed(QStringLiteral("the desktop portal failed %1 (%2)")
                                            .arg(method, reply.error().name()));
                             return;
                         }
                         // Portals older than the token convention pick their own path.
                         const QString actual = reply.value().path();
                         if (actual != expected && found != responses_.end()) {
                             ResponseHandler moved = std::move(found->second.handler);
                             forgetResponse(expected);
                             expectResponse(actual, method, epoch, std::move(moved));
                         }
                     });
}

void PortalSession::expectResponse(const QString& path, const QString& method, unsigned epoch,
                                   ResponseHandler handler)
{
    PortalSignalRelay* relay = subscribe(
        path, kRequestInterface, QStringLiteral("Response"),
        [this, path, method, epoch](const QDBusMessage& message) {
            auto found = responses_.find(path);
            if (found == responses_.end())
                return;
            ResponseHandler handler = std::move(found->second.handler);
            forgetResponse(path);
            if (message.signature() != QLatin1String("ua{sv}")) {
                if (epoch == epoch_)
                    failed(QStringLiteral("the desktop portal gave a malformed answer to %1")
                               .arg(method));
                return;
            }
            const QVariantList arguments = message.arguments();
            handler(arguments.at(0).toUInt(), qdbus_cast<QVariantMap>(arguments.at(1)));
        });
    responses_[path] = {relay, std::move(handler)};
}

void PortalSession::forgetResponse(const QString& path)
{
    auto found = responses_.find(path);
    if (found == responses_.end())
        return;
    found->second.relay->stop();
    responses_.erase(found);
}

void PortalSession::openSession(std::function<void(uint response)> opened)
{
    send(QStringLiteral("CreateSession"), {},
         {{QStringLiteral("session_handle_token"), nextToken()}},
         [this, epoch = epoch_, opened = std::move(opened)](uint response,
                                                            const QVariantMap& results) {
             const QString handle = PathOf(results.value(QStringLiteral("session_handle")));
             if (epoch != epoch_) {
                 // Given up meanwhile: a session nobody wants is closed again.
                 if (response == 0 && !handle.isEmpty() && bus_.isConnected())
                     bus_.send(QDBusMessage::createMethodCall(kService, handle, kSessionInterface,
                                                              QStringLiteral("Close")));
                 return;
             }
             if (response == 0 && !handle.isEmpty())
                 watchSession(handle);
             opened(response);
         });
}

void PortalSession::watchSession(const QString& handle)
{
    session_ = handle;
    sessionClosed_ =
        subscribe(handle, kSessionInterface, QStringLiteral("Closed"), [this](const QDBusMessage&) {
            sessionClosed_->stop();
            sessionClosed_ = nullptr;
            session_.clear();
            ++epoch_; // what was asked of the session will not come
            sessionClosed();
        });
}

void PortalSession::closeSession()
{
    ++epoch_;
    if (sessionClosed_) {
        sessionClosed_->stop();
        sessionClosed_ = nullptr;
    }
    if (!session_.isEmpty() && bus_.isConnected())
        bus_.send(QDBusMessage::createMethodCall(kService, session_, kSessionInterface,
                                                 QStringLiteral("Close")));
    session_.clear();
}

void PortalSession::listen(const QString& name, SignalHandler handler)
{
    subscribe(kPath, interface_, name, std::move(handler));
}

PortalSignalRelay* PortalSession::subscribe(const QString& path, const QString& interface,
                                            const QString& name, SignalHandler handler)
{
    return new PortalSignalRelay(
        bus_, path, interface, name,
        [this, handler = std::move(handler)](const QDBusMessage& message) {
            if (!owner_.isEmpty() && message.service() == owner_)
                handler(message);
        },
        context_.get());
}

QString PortalSession::nextToken()
{
    return QStringLiteral("pinleaf%1").arg(++tokens_);
}

QString PortalSession::requestPath(const QString& token) const
{
    // ":1.42" -> "1_42", as the portal builds it.
    QString sender = bus_.baseService().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

#include "PortalSession.moc"
