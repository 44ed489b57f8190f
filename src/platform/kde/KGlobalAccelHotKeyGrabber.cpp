#include "platform/kde/KGlobalAccelHotKeyGrabber.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>

#include <cstdio>
#include <optional>

namespace {

const QString kService = QStringLiteral("org.kde.kglobalaccel");
const QString kPath = QStringLiteral("/kglobalaccel");
const QString kInterface = QStringLiteral("org.kde.KGlobalAccel");
const QString kComponentInterface = QStringLiteral("org.kde.kglobalaccel.Component");
// Calls are asynchronous; one that gets no answer in this time counts as failed.
constexpr int kCallTimeoutMs = 5000;
// How long the end of the program waits for the service at most.
constexpr int kExitTimeoutMs = 500;

// setShortcutKeys flags: make the action live; write the keys even when the service
// already holds some for it (without this it keeps those and returns them).
constexpr uint kSetPresent = 2;
constexpr uint kNoAutoloading = 4;

// A QKeySequence as the service passes it: exactly four key codes, unused ones 0.
struct KeySequence {
    QList<int> keys;
};

QDBusArgument& operator<<(QDBusArgument& out, const KeySequence& sequence)
{
    out.beginStructure();
    out << sequence.keys;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, KeySequence& sequence)
{
    in.beginStructure();
    in >> sequence.keys;
    in.endStructure();
    return in;
}

QVariant KeysArgument(int keyCode)
{
    QList<KeySequence> keys;
    if (keyCode != 0)
        keys.append({{keyCode, 0, 0, 0}});
    return QVariant::fromValue(keys);
}

// The one key code a shortcut list holds; 0 for none, -1 for anything else.
int SingleKey(const QList<KeySequence>& keys)
{
    if (keys.isEmpty())
        return 0;
    const QList<int>& codes = keys.first().keys;
    if (keys.size() > 1 || codes.isEmpty() || codes.mid(1).count(0) != codes.size() - 1)
        return -1;
    return codes.first();
}

} // namespace

Q_DECLARE_METATYPE(KeySequence)

KGlobalAccelHotKeyGrabber::KGlobalAccelHotKeyGrabber(const QDBusConnection& bus,
                                                     const QString& component,
                                                     const QString& componentName,
                                                     std::vector<Action> actions, QObject* parent)
    : WholeSetGrabber(parent), bus_(bus), component_(component), componentName_(componentName),
      actions_(std::move(actions))
{
    qDBusRegisterMetaType<KeySequence>();
    qDBusRegisterMetaType<QList<KeySequence>>();
    // Any path: the component's object appears with its first action.
    bus_.connect(kService, QString(), kComponentInterface, QStringLiteral("globalShortcutPressed"),
                 this, SLOT(onPressed(QDBusMessage)));
    // A service that restarts has forgotten which actions are live.
    auto* watcher =
        new QDBusServiceWatcher(kService, bus_, QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this,
            &KGlobalAccelHotKeyGrabber::onServiceBack);
}

KGlobalAccelHotKeyGrabber::~KGlobalAccelHotKeyGrabber()
{
    // The keys go back to other programs while this one does not run; the actions and
    // their keys stay for the next start.
    std::optional<QDBusPendingCall> last;
    for (const Action& action : actions_) {
        if (!wanted_.count(action.id))
            continue;
        QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                              QStringLiteral("setInactive"));
        message.setArguments({actionId(action)});
        last = bus_.asyncCall(message, kExitTimeoutMs);
    }
    // The program ends next: the calls are surely out once the last one, answered in
    // order, is answered.
    if (last)
        last->waitForFinished();
}

bool KGlobalAccelHotKeyGrabber::IsRunning(const QDBusConnection& bus)
{
    return bus.isConnected() && bus.interface()->isServiceRegistered(kService).value();
}

int KGlobalAccelHotKeyGrabber::KeyCode(QKeyCombination keys)
{
    if (keys.key() == Qt::Key_unknown || keys.key() == Qt::Key_Meta)
        return 0;
    return keys.toCombined();
}

bool KGlobalAccelHotKeyGrabber::grab(int id, QKeyCombination keys)
{
    setPending(id, KeyCode(keys));
    // The service answers later; a key another component holds stays unbound there.
    return true;
}

void KGlobalAccelHotKeyGrabber::release(int id)
{
    erasePending(id);
}

void KGlobalAccelHotKeyGrabber::applySet()
{
    const std::map<int, int> before = std::exchange(wanted_, pending_);
    for (const Action& action : actions_) {
        const auto now = wanted_.find(action.id);
        const auto then = before.find(action.id);
        if (now != wanted_.end()) {
            if (then == before.end() || then->second != now->second)
                bind(action);
        } else if (then != before.end() || !committed_) {
            // Gone from the settings too; at start this clears what an earlier run left.
            call(QStringLiteral("unregister"), {component_, action.name});
        }
    }
    committed_ = true;
}

QStringList KGlobalAccelHotKeyGrabber::actionId(const Action& action) const
{
    return {component_, action.name, componentName_, action.friendlyName};
}

void KGlobalAccelHotKeyGrabber::bind(const Action& action)
{
    const QStringList id = actionId(action);
    call(QStringLiteral("doRegister"), {id});
    // Without kNoAutoloading the service keeps the keys it holds from an earlier start
    // (a new action takes ours) and answers with them; only different ones are replaced,
    // so an unchanged set writes nothing.
    call(QStringLiteral("setShortcutKeys"), {id, KeysArgument(wanted_.at(action.id)), kSetPresent},
         [this, id, actionKey = action.id](const QDBusMessage& reply) {
             const auto wanted = wanted_.find(actionKey);
             if (wanted == wanted_.end() || reply.arguments().isEmpty())
                 return; // released meanwhile
             const auto held = qdbus_cast<QList<KeySequence>>(reply.arguments().first());
             // An action with no key of ours keeps one the user gave it.
             if (wanted->second != 0 && SingleKey(held) != wanted->second)
                 call(QStringLiteral("setShortcutKeys"),
                      {id, KeysArgument(wanted->second), kSetPresent | kNoAutoloading});
         });
}

void KGlobalAccelHotKeyGrabber::call(const QString& method, const QVariantList& arguments,
                                     ReplyHandler onReply)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    message.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(message, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, method, onReply = std::move(onReply)] {
                watcher->deleteLater();
                const QDBusMessage reply = watcher->reply();
                if (reply.type() != QDBusMessage::ErrorMessage) {
                    if (onReply)
                        onReply(reply);
                } else if (!complained_) {
                    complained_ = true;
                    std::fprintf(stderr, "Pinleaf: KDE's global shortcuts failed %s (%s).\n",
                                 qPrintable(method), qPrintable(reply.errorName()));
                }
            });
}

void KGlobalAccelHotKeyGrabber::onPressed(const QDBusMessage& message)
{
    const QVariantList arguments = message.arguments();
    if (arguments.size() < 2 || arguments.at(0).toString() != component_)
        return;
    for (const Action& action : actions_)
        if (action.name == arguments.at(1).toString() && wanted_.count(action.id))
            emit pressed(action.id);
}

void KGlobalAccelHotKeyGrabber::onServiceBack()
{
    for (const Action& action : actions_)
        if (wanted_.count(action.id))
            bind(action);
}
