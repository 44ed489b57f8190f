#pragma once
// System-wide key combinations through the desktop portal's GlobalShortcuts interface,
// the one way a program gets global keys on a Wayland desktop. The portal binds a
// whole set at once and may let the user pick other triggers or refuse some: only the
// shortcuts it reports bound fire, the fallback grabber (X key grabs) takes the others.
// When the portal refuses, binds none or goes away, the set moves to the fallback
// grabber and stays there.

#include "hotkeys/HotKeyGrabber.h"

#include <QDBusConnection>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

class QDBusMessage;
class QDBusPendingCall;

class PortalHotKeyGrabber : public HotKeyGrabber {
    Q_OBJECT
public:
    // What the desktop's settings show for a binding id.
    struct Shortcut {
        int id;
        QString name; // the portal's shortcut id, e.g. "new-note"
        QString description;
    };
    using FallbackFactory = std::function<std::unique_ptr<HotKeyGrabber>()>;

    PortalHotKeyGrabber(const QDBusConnection& bus, std::vector<Shortcut> shortcuts,
                        FallbackFactory fallback, QObject* parent = nullptr);
    ~PortalHotKeyGrabber() override;

    // Unsandboxed programs are known to the portal by the id they register before
    // their first portal call. Desktops without the registry are fine: nothing to do.
    static void RegisterAppId(const QDBusConnection& bus, const QString& appId);
    // Empty when the bus offers GlobalShortcuts version 1 or later, else why not.
    static QString WhyNotOffered(const QDBusConnection& bus);

    // The one line on standard error when hot keys go to X key grabs instead.
    static void TellFallback(const QString& why, const QString& which = QStringLiteral("hot keys"));

    // Portal notation of a combination ("CTRL+SHIFT+c"); empty for keys it cannot name.
    static QString Trigger(QKeyCombination keys);

    bool grab(int id, QKeyCombination keys) override;
    void release(int id) override;
    void beginSet() override;
    void commitSet() override;

private slots:
    void onResponse(const QDBusMessage& message);
    void onActivated(const QDBusMessage& message);
    void onPortalGone();

private:
    using Keys = QKeyCombination;
    using ResponseHandler = std::function<void(uint response, const QVariantMap& results)>;

    void createSession();
    void bindShortcuts();
    void takeUnbound();
    void closeSession();
    void fallBack(const QString& reason);
    // Calls a portal method whose answer comes as a Response on a request object.
    void request(const QString& method, QVariantList arguments, QVariantMap options,
                 ResponseHandler handler);
    void expectResponse(const QString& path, ResponseHandler handler);
    void forgetResponse(const QString& path);
    QString nextToken();
    QString requestPath(const QString& token) const;
    const Shortcut* shortcutFor(int id) const;

    QDBusConnection bus_;
    std::vector<Shortcut> shortcuts_;
    FallbackFactory fallbackFactory_;
    std::unique_ptr<HotKeyGrabber> fallback_;
    std::unique_ptr<HotKeyGrabber> spare_; // grabs what the portal did not bind

    bool inSet_ = false;
    std::map<int, Keys> pending_; // the set being assembled
    std::map<int, Keys> wanted_;  // the last committed set
    // Bumped at every commit: answers to an earlier set's requests are dropped.
    unsigned generation_ = 0;
    bool sessionWanted_ = false; // a session is open or being opened for wanted_
    QString session_;
    std::set<QString> bound_; // what the portal reports bound
    std::map<QString, ResponseHandler> responses_;
    unsigned tokens_ = 0;
};
