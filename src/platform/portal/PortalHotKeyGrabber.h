#pragma once
// System-wide key combinations through the desktop portal's GlobalShortcuts interface,
// the one way a program gets global keys on a Wayland desktop. The portal binds a
// whole set at once in a session and lets the user pick other triggers or refuse some:
// only the shortcuts it reports bound fire, the fallback grabber (X key grabs) takes
// the others. The user may change the triggers later (ShortcutsChanged: what is bound
// now is what counts) and the portal may close the session (a new one binds the set
// again). When the portal refuses, binds none, answers nonsense or goes away, the set
// moves to the fallback grabber and stays there.

#include "hotkeys/WholeSetGrabber.h"
#include "platform/portal/PortalSession.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

class PortalHotKeyGrabber : public WholeSetGrabber<QKeyCombination>, private PortalSession {
    Q_OBJECT
public:
    // What the desktop's settings show for a binding id.
    struct Shortcut {
        int id;
        QString name; // the portal's shortcut id, e.g. "new-note"
        QString description;
    };
    using FallbackFactory = std::function<std::unique_ptr<HotKeyGrabber>()>;

    // Asks the portal for its version first, without waiting: a set committed before
    // the answer is bound once it comes, or goes to the fallback grabber.
    PortalHotKeyGrabber(const QDBusConnection& bus, std::vector<Shortcut> shortcuts,
                        FallbackFactory fallback, QObject* parent = nullptr);
    ~PortalHotKeyGrabber() override;

    // The one line on standard error when hot keys go to X key grabs instead.
    static void TellFallback(const QString& why, const QString& which = QStringLiteral("hot keys"));

    // Portal notation of a combination ("CTRL+SHIFT+c"); empty for keys it cannot name.
    static QString Trigger(QKeyCombination keys);

    bool grab(int id, QKeyCombination keys) override;
    void release(int id) override;

private:
    void applySet() override;
    void failed(const QString& why) override;
    void sessionClosed() override;
    void portalGone() override;

    void offered(uint version, const QString& error);
    void createSession();
    void bindShortcuts();
    void useBound(const std::set<QString>& bound);
    void stopSession();
    void fallBack(const QString& why);
    void onActivated(const QDBusMessage& message);
    void onShortcutsChanged(const QDBusMessage& message);
    const Shortcut* shortcutFor(int id) const;

    std::vector<Shortcut> shortcuts_;
    FallbackFactory fallbackFactory_;
    std::unique_ptr<HotKeyGrabber> fallback_;
    std::unique_ptr<HotKeyGrabber> spare_; // grabs what the portal did not bind
    std::set<int> spareIds_;

    bool offered_ = false;       // the portal has GlobalShortcuts version 1 or later
    bool sessionWanted_ = false; // a session is open or being opened for wanted_
    bool sessionBound_ = false;  // and the portal bound its shortcuts
    std::set<QString> bound_;    // what the portal reports bound
};
