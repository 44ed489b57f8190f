#pragma once
// System-wide key combinations through KDE's global shortcut service (kglobalaccel),
// which Plasma runs on X11 and on Wayland. Each hot key is an action of the program's
// component there: the service grabs its keys, lists it in the desktop's shortcut
// settings under the program's name and signals the component when one is pressed.
// Keys are written only where the service holds others, so an unchanged set at start
// touches nothing the user sees.

#include "hotkeys/WholeSetGrabber.h"

#include <QDBusConnection>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <map>
#include <vector>

class QDBusMessage;

class KGlobalAccelHotKeyGrabber : public WholeSetGrabber<int> { // the Qt key code
    Q_OBJECT
public:
    struct Action {
        int id;
        QString name;         // the action's id in the component, e.g. "new-note"
        QString friendlyName; // what the shortcut settings show
    };

    KGlobalAccelHotKeyGrabber(const QDBusConnection& bus, const QString& component,
                              const QString& componentName, std::vector<Action> actions,
                              QObject* parent = nullptr);
    ~KGlobalAccelHotKeyGrabber() override;

    // True when the service runs on the bus. It is never started for us: away from
    // Plasma it would grab keys nobody delivers to it.
    static bool IsRunning(const QDBusConnection& bus);
    // The Qt key code of a combination, as the service stores keys; 0 for keys it
    // cannot name and for modifiers alone, which it cannot grab.
    static int KeyCode(QKeyCombination keys);

    bool grab(int id, QKeyCombination keys) override;
    void release(int id) override;

private slots:
    void onPressed(const QDBusMessage& message);
    void onServiceBack();

private:
    void applySet() override;

    using ReplyHandler = std::function<void(const QDBusMessage& reply)>;

    QStringList actionId(const Action& action) const;
    void bind(const Action& action);
    void call(const QString& method, const QVariantList& arguments, ReplyHandler onReply = {});

    QDBusConnection bus_;
    QString component_;
    QString componentName_;
    std::vector<Action> actions_;

    bool committed_ = false; // a set was applied since start
    bool complained_ = false;
};
