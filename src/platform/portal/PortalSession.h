#pragma once
// What every desktop portal interface with sessions needs, apart from what the session
// is for: calls whose answer comes later as a Response on a request object, one session
// and its Closed signal, the interface's own signals, its version, and the portal
// leaving the bus. Nothing here waits for the portal: every answer arrives in the event
// loop, and an answer to something given up meanwhile is dropped.

#include <QDBusConnection>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <functional>
#include <map>
#include <memory>

class PortalSignalRelay;
class QDBusMessage;
class QObject;

class PortalSession {
public:
    // interface: the portal's interface, e.g. "org.freedesktop.portal.GlobalShortcuts".
    PortalSession(const QDBusConnection& bus, const QString& interface);
    // Closes the session, if one is open.
    virtual ~PortalSession();
    PortalSession(const PortalSession&) = delete;
    PortalSession& operator=(const PortalSession&) = delete;

    // Unsandboxed programs are known to the portal by the id they register before their
    // first portal call. Sent without waiting: the calls that follow arrive after it.
    // Desktops without the registry are fine: nothing to do.
    static void RegisterAppId(const QDBusConnection& bus, const QString& appId);

protected:
    using ResponseHandler = std::function<void(uint response, const QVariantMap& results)>;
    using SignalHandler = std::function<void(const QDBusMessage& message)>;

    // The interface's version: done gets it, or 0 and the error's name when the portal
    // does not answer (within a few seconds) or has no such interface. Ask first: the
    // portal's signals count from its answer on, and only from the one who answered.
    void checkVersion(std::function<void(uint version, const QString& error)> done);
    // Calls method with arguments and then options (plus a handle token); handler gets
    // the Response. A call the portal fails, or answers with a malformed Response, ends
    // in failed() instead.
    void request(const QString& method, QVariantList arguments, QVariantMap options,
                 ResponseHandler handler);
    // CreateSession: opened gets the portal's response code; on success session() is set.
    void openSession(std::function<void(uint response)> opened);
    // Closes the open session, if any, and drops every answer still on its way (a
    // session that is still being opened is closed when it arrives).
    void closeSession();
    const QString& session() const { return session_; }
    // Hands every signal name of the interface on the portal object to handler.
    void listen(const QString& name, SignalHandler handler);

    // A call failed or got a malformed answer; why is one line's worth of words.
    virtual void failed(const QString& why) = 0;
    // The portal closed the session; session() is empty already.
    virtual void sessionClosed() = 0;
    // The portal left the bus.
    virtual void portalGone() = 0;

private:
    // A Response being waited for.
    struct Pending {
        PortalSignalRelay* relay;
        ResponseHandler handler;
    };

    // As request, but answers of an earlier epoch reach handler too.
    void send(const QString& method, QVariantList arguments, QVariantMap options,
              ResponseHandler handler);
    void expectResponse(const QString& path, const QString& method, unsigned epoch,
                        ResponseHandler handler);
    void forgetResponse(const QString& path);
    void watchSession(const QString& handle);
    PortalSignalRelay* subscribe(const QString& path, const QString& interface, const QString& name,
                                 SignalHandler handler);
    QString nextToken();
    QString requestPath(const QString& token) const;

    QDBusConnection bus_;
    QString interface_;
    QString owner_; // the portal's unique name on the bus, once it answered
    QString session_;
    PortalSignalRelay* sessionClosed_ = nullptr;
    std::map<QString, Pending> responses_; // by request path
    // Bumped by closeSession: answers to requests of an earlier epoch are dropped.
    unsigned epoch_ = 0;
    unsigned tokens_ = 0;
    // Parent of the watchers and signal relays: they go when this object goes.
    std::unique_ptr<QObject> context_;
};
