#include "platform/PortalHotKeyGrabber.h"

#include "hotkeys/KeyCodes.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QStringList>

#include <cstdio>

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kShortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString kSessionInterface = QStringLiteral("org.freedesktop.portal.Session");
// Start-up waits at most this long for a portal that does not answer.
constexpr int kStartTimeoutMs = 3000;

// One (sa{sv}) entry of a shortcut list: the id and its properties.
struct ShortcutEntry {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& out, const ShortcutEntry& entry)
{
    out.beginStructure();
    out << entry.id << entry.properties;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, ShortcutEntry& entry)
{
    in.beginStructure();
    in >> entry.id >> entry.properties;
    in.endStructure();
    return in;
}

// Object paths come as "o" from most portals, as "s" where the documentation says so.
QString PathOf(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

} // namespace

Q_DECLARE_METATYPE(ShortcutEntry)

PortalHotKeyGrabber::PortalHotKeyGrabber(const QDBusConnection& bus,
                                         std::vector<Shortcut> shortcuts, FallbackFactory fallback,
                                         QObject* parent)
    : HotKeyGrabber(parent), bus_(bus), shortcuts_(std::move(shortcuts)),
      fallbackFactory_(std::move(fallback))
{
    qDBusRegisterMetaType<ShortcutEntry>();
    qDBusRegisterMetaType<QList<ShortcutEntry>>();
    bus_.connect(kService, kPath, kShortcutsInterface, QStringLiteral("Activated"), this,
                 SLOT(onActivated(QDBusMessage)));
    auto* watcher =
        new QDBusServiceWatcher(kService, bus_, QDBusServiceWatcher::WatchForUnregistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this,
            &PortalHotKeyGrabber::onPortalGone);
}

PortalHotKeyGrabber::~PortalHotKeyGrabber()
{
    if (!fallback_)
        closeSession();
}

void PortalHotKeyGrabber::TellFallback(const QString& why, const QString& which)
{
    std::fprintf(stderr, "Pinleaf: %s; %s use X key grabs instead.\n", qPrintable(why),
                 qPrintable(which));
}

void PortalHotKeyGrabber::RegisterAppId(const QDBusConnection& bus, const QString& appId)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.host.portal.Registry"),
        QStringLiteral("Register"));
    call.setArguments({appId, QVariantMap{}});
    // No registry (older portals) or an id already known: the portal still works.
    bus.call(call, QDBus::Block, kStartTimeoutMs);
}

QString PortalHotKeyGrabber::WhyNotOffered(const QDBusConnection& bus)
{
    if (!bus.isConnected())
        return QStringLiteral("no session bus");
    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call.setArguments({kShortcutsInterface, QStringLiteral("version")});
    const QDBusMessage reply = bus.call(call, QDBus::Block, kStartTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return QStringLiteral("no desktop portal for global shortcuts (%1)").arg(reply.errorName());
    const uint version = reply.arguments().first().value<QDBusVariant>().variant().toUInt();
    if (version < 1)
        return QStringLiteral("the desktop portal's global shortcuts are version %1").arg(version);
    return {};
}

QString PortalHotKeyGrabber::Trigger(QKeyCombination keys)
{
    Qt::KeyboardModifiers modifiers = keys.keyboardModifiers();
    // The modifiers alone: as with the X grab, the Win key is the one pressed last.
    if (keys.key() == Qt::Key_Meta)
        modifiers &= ~Qt::MetaModifier;
    const QString key = XkbKeyName(keys.key());
    if (key.isEmpty())
        return {};
    QStringList parts;
    if (modifiers & Qt::ControlModifier)
        parts << QStringLiteral("CTRL");
    if (modifiers & Qt::AltModifier)
        parts << QStringLiteral("ALT");
    if (modifiers & Qt::ShiftModifier)
        parts << QStringLiteral("SHIFT");
    if (modifiers & Qt::MetaModifier)
        parts << QStringLiteral("LOGO");
    parts << key;
    return parts.join(QLatin1Char('+'));
}

bool PortalHotKeyGrabber::grab(int id, QKeyCombination keys)
{
    if (fallback_)
        return fallback_->grab(id, keys);
    if (!shortcutFor(id))
        return false;
    const bool alone = !inSet_;
    if (alone)
        beginSet();
    pending_[id] = keys;
    if (alone)
        commitSet();
    // The portal answers later; what it binds is known from its response.
    return true;
}

void PortalHotKeyGrabber::release(int id)
{
    if (fallback_) {
        fallback_->release(id);
        return;
    }
    const bool alone = !inSet_;
    if (alone)
        beginSet();
    pending_.erase(id);
    if (alone)
        commitSet();
}

void PortalHotKeyGrabber::beginSet()
{
    inSet_ = true;
    pending_ = wanted_;
}

void PortalHotKeyGrabber::commitSet()
{
    inSet_ = false;
    if (fallback_)
        return;
    // The same set again (the marked item chosen once more) keeps its session: a new
    // one would ask the user again.
    if (pending_ == wanted_ && (sessionWanted_ || wanted_.empty()))
        return;
    wanted_ = pending_;
    ++generation_;
    closeSession();
    if (!wanted_.empty())
        createSession();
}

void PortalHotKeyGrabber::createSession()
{
    // A portal session binds its shortcuts once; every new set gets a session of its own.
    sessionWanted_ = true;
    const unsigned generation = generation_;
    request(
        QStringLiteral("CreateSession"), {},
        {{QStringLiteral("session_handle_token"), nextToken()}},
        [this, generation](uint response, const QVariantMap& results) {
            const QString handle = PathOf(results.value(QStringLiteral("session_handle")));
            if (generation != generation_) {
                // The set changed meanwhile: this session is not needed.
                if (response == 0 && !handle.isEmpty())
                    bus_.send(QDBusMessage::createMethodCall(kService, handle, kSessionInterface,
                                                             QStringLiteral("Close")));
                return;
            }
            if (response != 0 || handle.isEmpty()) {
                fallBack(QStringLiteral("gave no shortcuts session (response %1)").arg(response));
                return;
            }
            session_ = handle;
            bindShortcuts();
        });
}

void PortalHotKeyGrabber::bindShortcuts()
{
    QList<ShortcutEntry> entries;
    for (const auto& [id, keys] : wanted_) {
        const Shortcut* shortcut = shortcutFor(id);
        QVariantMap properties{{QStringLiteral("description"), shortcut->description}};
        if (QString trigger = Trigger(keys); !trigger.isEmpty())
            properties.insert(QStringLiteral("preferred_trigger"), trigger);
        entries.append({shortcut->name, properties});
    }
    const unsigned generation = generation_;
    request(QStringLiteral("BindShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(entries),
             QString()}, // no parent window: the panel is an X window the portal cannot name
            {}, [this, generation](uint response, const QVariantMap& results) {
                if (generation != generation_)
                    return;
                if (response != 0) {
                    fallBack(QStringLiteral("refused the shortcuts (response %1)").arg(response));
                    return;
                }
                bound_.clear();
                const auto reported =
                    qdbus_cast<QList<ShortcutEntry>>(results.value(QStringLiteral("shortcuts")));
                for (const ShortcutEntry& entry : reported)
                    bound_.insert(entry.id);
                takeUnbound();
            });
}

void PortalHotKeyGrabber::takeUnbound()
{
    // A shortcut missing from the answer is not bound (a desktop may even answer with
    // none): the fallback grabs those keys.
    std::map<int, QKeyCombination> unbound;
    QStringList names;
    for (const auto& [id, keys] : wanted_) {
        if (const QString& name = shortcutFor(id)->name; !bound_.count(name)) {
            unbound.emplace(id, keys);
            names << name;
        }
    }
    if (unbound.size() == wanted_.size()) {
        fallBack(QStringLiteral("bound none of the shortcuts"));
        return;
    }
    if (unbound.empty())
        return;
    TellFallback(
        QStringLiteral("the desktop portal did not bind %1").arg(names.join(QStringLiteral(", "))),
        QStringLiteral("those"));
    spare_ = fallbackFactory_();
    connect(spare_.get(), &HotKeyGrabber::pressed, this, &HotKeyGrabber::pressed);
    spare_->beginSet();
    for (const auto& [id, keys] : unbound)
        spare_->grab(id, keys);
    spare_->commitSet();
}

void PortalHotKeyGrabber::closeSession()
{
    if (!session_.isEmpty() && bus_.isConnected())
        bus_.send(QDBusMessage::createMethodCall(kService, session_, kSessionInterface,
                                                 QStringLiteral("Close")));
    session_.clear();
    bound_.clear();
    spare_.reset();
    sessionWanted_ = false;
}

void PortalHotKeyGrabber::fallBack(const QString& reason)
{
    if (fallback_)
        return;
    TellFallback(QStringLiteral("the desktop portal ") + reason);
    ++generation_; // answers still on their way are of no use now
    closeSession();
    fallback_ = fallbackFactory_();
    connect(fallback_.get(), &HotKeyGrabber::pressed, this, &HotKeyGrabber::pressed);
    fallback_->beginSet();
    for (const auto& [id, keys] : wanted_)
        fallback_->grab(id, keys);
    fallback_->commitSet();
}

void PortalHotKeyGrabber::onPortalGone()
{
    fallBack(QStringLiteral("left the session bus"));
}

void PortalHotKeyGrabber::request(const QString& method, QVariantList arguments,
                                  QVariantMap options, ResponseHandler handler)
{
    // The request object's path follows from the token, so its Response is listened
    // for before the call: a fast portal cannot answer into the void.
    const QString token = nextToken();
    const QString expected = requestPath(token);
    options.insert(QStringLiteral("handle_token"), token);
    expectResponse(expected, std::move(handler));

    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kShortcutsInterface, method);
    arguments.append(options);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, expected, method, generation = generation_] {
                watcher->deleteLater();
                const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
                if (reply.isError()) {
                    forgetResponse(expected);
                    if (generation == generation_)
                        fallBack(
                            QStringLiteral("failed %1 (%2)").arg(method, reply.error().name()));
                    return;
                }
                // Portals older than the token convention pick their own path.
                const QString actual = reply.value().path();
                auto found = responses_.find(expected);
                if (actual != expected && found != responses_.end()) {
                    ResponseHandler moved = std::move(found->second);
                    forgetResponse(expected);
                    expectResponse(actual, std::move(moved));
                }
            });
}

void PortalHotKeyGrabber::expectResponse(const QString& path, ResponseHandler handler)
{
    responses_[path] = std::move(handler);
    bus_.connect(kService, path, kRequestInterface, QStringLiteral("Response"), this,
                 SLOT(onResponse(QDBusMessage)));
}

void PortalHotKeyGrabber::forgetResponse(const QString& path)
{
    bus_.disconnect(kService, path, kRequestInterface, QStringLiteral("Response"), this,
                    SLOT(onResponse(QDBusMessage)));
    responses_.erase(path);
}

void PortalHotKeyGrabber::onResponse(const QDBusMessage& message)
{
    auto found = responses_.find(message.path());
    if (found == responses_.end())
        return;
    ResponseHandler handler = std::move(found->second);
    forgetResponse(message.path());
    const QVariantList arguments = message.arguments();
    if (arguments.size() < 2)
        return;
    handler(arguments.at(0).toUInt(), qdbus_cast<QVariantMap>(arguments.at(1)));
}

void PortalHotKeyGrabber::onActivated(const QDBusMessage& message)
{
    const QVariantList arguments = message.arguments();
    if (fallback_ || session_.isEmpty() || arguments.size() < 2)
        return;
    if (PathOf(arguments.at(0)) != session_)
        return;
    const QString name = arguments.at(1).toString();
    if (!bound_.count(name))
        return;
    for (const Shortcut& shortcut : shortcuts_)
        if (shortcut.name == name && wanted_.count(shortcut.id))
            emit pressed(shortcut.id);
}

QString PortalHotKeyGrabber::nextToken()
{
    return QStringLiteral("pinleaf%1").arg(++tokens_);
}

QString PortalHotKeyGrabber::requestPath(const QString& token) const
{
    // ":1.42" -> "1_42", as the portal builds it.
    QString sender = bus_.baseService().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

const PortalHotKeyGrabber::Shortcut* PortalHotKeyGrabber::shortcutFor(int id) const
{
    for (const Shortcut& shortcut : shortcuts_)
        if (shortcut.id == id)
            return &shortcut;
    return nullptr;
}
