#include "platform/portal/PortalHotKeyGrabber.h"

#include "hotkeys/KeyCodes.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace {

const QString kShortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

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

} // namespace

Q_DECLARE_METATYPE(ShortcutEntry)

namespace {

// The ids of a shortcut list as the portal reports them; nothing when the value is not
// such a list.
std::optional<std::set<QString>> ShortcutIds(const QVariant& value)
{
    if (value.metaType() != QMetaType::fromType<QDBusArgument>() ||
        value.value<QDBusArgument>().currentSignature() != QLatin1String("a(sa{sv})"))
        return std::nullopt;
    std::set<QString> ids;
    for (const ShortcutEntry& entry : qdbus_cast<QList<ShortcutEntry>>(value))
        ids.insert(entry.id);
    return ids;
}

QString PathOf(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

} // namespace

PortalHotKeyGrabber::PortalHotKeyGrabber(const QDBusConnection& bus,
                                         std::vector<Shortcut> shortcuts, FallbackFactory fallback,
                                         QObject* parent)
    : WholeSetGrabber(parent), PortalSession(bus, kShortcutsInterface),
      shortcuts_(std::move(shortcuts)), fallbackFactory_(std::move(fallback))
{
    qDBusRegisterMetaType<ShortcutEntry>();
    qDBusRegisterMetaType<QList<ShortcutEntry>>();
    listen(QStringLiteral("Activated"), [this](const QDBusMessage& m) { onActivated(m); });
    listen(QStringLiteral("ShortcutsChanged"),
           [this](const QDBusMessage& m) { onShortcutsChanged(m); });
    checkVersion([this](uint version, const QString& error) { offered(version, error); });
}

PortalHotKeyGrabber::~PortalHotKeyGrabber() = default;

void PortalHotKeyGrabber::TellFallback(const QString& why, const QString& which)
{
    std::fprintf(stderr, "Pinleaf: %s; %s use X key grabs instead.\n", qPrintable(why),
                 qPrintable(which));
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
    setPending(id, keys);
    // The portal answers later; what it binds is known from its response.
    return true;
}

void PortalHotKeyGrabber::release(int id)
{
    if (fallback_) {
        fallback_->release(id);
        return;
    }
    erasePending(id);
}

void PortalHotKeyGrabber::applySet()
{
    if (fallback_)
        return;
    // The same set again (the marked item chosen once more) keeps its session: a new
    // one would ask the user again.
    if (pending_ == wanted_ && (sessionWanted_ || wanted_.empty()))
        return;
    wanted_ = pending_;
    stopSession();
    // Before the portal has told its version, the set waits for the answer.
    if (offered_ && !wanted_.empty())
        createSession();
}

void PortalHotKeyGrabber::offered(uint version, const QString& error)
{
    if (fallback_)
        return;
    if (!error.isEmpty()) {
        fallBack(QStringLiteral("no desktop portal for global shortcuts (%1)").arg(error));
        return;
    }
    if (version < 1) {
        fallBack(
            QStringLiteral("the desktop portal's global shortcuts are version %1").arg(version));
        return;
    }
    offered_ = true;
    if (!wanted_.empty())
        createSession();
}

void PortalHotKeyGrabber::createSession()
{
    // A portal session binds its shortcuts once; every new set gets a session of its own.
    sessionWanted_ = true;
    sessionBound_ = false;
    openSession([this](uint response) {
        if (session().isEmpty()) {
            fallBack(QStringLiteral("the desktop portal gave no shortcuts session (response %1)")
                         .arg(response));
            return;
        }
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
    request(
        QStringLiteral("BindShortcuts"),
        {QVariant::fromValue(QDBusObjectPath(session())), QVariant::fromValue(entries),
         QString()}, // no parent window: the panel is an X window the portal cannot name
        {}, [this](uint response, const QVariantMap& results) {
            if (response != 0) {
                fallBack(QStringLiteral("the desktop portal refused the shortcuts (response %1)")
                             .arg(response));
                return;
            }
            // A desktop may answer with no list at all: then nothing is bound.
            const QVariant list = results.value(QStringLiteral("shortcuts"));
            const std::optional<std::set<QString>> bound =
                list.isValid() ? ShortcutIds(list) : std::set<QString>{};
            if (!bound) {
                fallBack(
                    QStringLiteral("the desktop portal gave a malformed answer to BindShortcuts"));
                return;
            }
            bool any = false;
            for (const auto& [id, keys] : wanted_)
                any = any || bound->count(shortcutFor(id)->name);
            if (!any) {
                fallBack(QStringLiteral("the desktop portal bound none of the shortcuts"));
                return;
            }
            sessionBound_ = true;
            useBound(*bound);
        });
}

void PortalHotKeyGrabber::useBound(const std::set<QString>& bound)
{
    // A shortcut missing from the portal's list is not bound: the spare grabber takes its
    // keys, and gives them back once the user binds it after all.
    bound_ = bound;
    std::map<int, QKeyCombination> unbound;
    QStringList newNames;
    for (const auto& [id, keys] : wanted_) {
        if (const QString& name = shortcutFor(id)->name; !bound_.count(name)) {
            unbound.emplace(id, keys);
            if (!spareIds_.count(id))
                newNames << name;
        }
    }
    if (!newNames.isEmpty())
        TellFallback(QStringLiteral("the desktop portal did not bind %1")
                         .arg(newNames.join(QStringLiteral(", "))),
                     QStringLiteral("those"));
    if (!spare_ && unbound.empty())
        return;
    if (!spare_) {
        spare_ = fallbackFactory_();
        connect(spare_.get(), &HotKeyGrabber::pressed, this, &HotKeyGrabber::pressed);
    }
    spare_->beginSet();
    for (int id : spareIds_)
        if (!unbound.count(id))
            spare_->release(id);
    for (const auto& [id, keys] : unbound)
        if (!spareIds_.count(id))
            spare_->grab(id, keys);
    spare_->commitSet();
    spareIds_.clear();
    for (const auto& [id, keys] : unbound)
        spareIds_.insert(id);
}

void PortalHotKeyGrabber::stopSession()
{
    closeSession();
    bound_.clear();
    spare_.reset();
    spareIds_.clear();
    sessionWanted_ = false;
    sessionBound_ = false;
}

void PortalHotKeyGrabber::fallBack(const QString& why)
{
    if (fallback_)
        return;
    stopSession();
    fallback_ = fallbackFactory_();
    connect(fallback_.get(), &HotKeyGrabber::pressed, this, &HotKeyGrabber::pressed);
    fallback_->beginSet();
    for (const auto& [id, keys] : wanted_)
        fallback_->grab(id, keys);
    fallback_->commitSet();
    // Said once the keys are grabbed: from then on they work.
    TellFallback(why);
}

void PortalHotKeyGrabber::failed(const QString& why)
{
    fallBack(why);
}

void PortalHotKeyGrabber::sessionClosed()
{
    if (fallback_)
        return;
    bound_.clear();
    // A session that bound its shortcuts and closed later (the desktop ended it) gets a
    // successor; one that closed before binding would only close again.
    if (!sessionBound_) {
        fallBack(QStringLiteral("the desktop portal closed the shortcuts session"));
        return;
    }
    createSession();
}

void PortalHotKeyGrabber::portalGone()
{
    fallBack(QStringLiteral("the desktop portal left the session bus"));
}

void PortalHotKeyGrabber::onActivated(const QDBusMessage& message)
{
    const QVariantList arguments = message.arguments();
    if (fallback_ || session().isEmpty() || !message.signature().startsWith(QLatin1String("os")))
        return;
    if (PathOf(arguments.at(0)) != session())
        return;
    const QString name = arguments.at(1).toString();
    if (!bound_.count(name))
        return;
    for (const Shortcut& shortcut : shortcuts_)
        if (shortcut.name == name && wanted_.count(shortcut.id))
            emit pressed(shortcut.id);
}

void PortalHotKeyGrabber::onShortcutsChanged(const QDBusMessage& message)
{
    // The user gave the session's shortcuts other triggers in the desktop's settings:
    // whatever the list holds now is bound, whatever it lacks is not.
    if (fallback_ || !sessionBound_ || message.signature() != QLatin1String("oa(sa{sv})"))
        return;
    const QVariantList arguments = message.arguments();
    if (PathOf(arguments.at(0)) != session())
        return;
    if (const auto bound = ShortcutIds(arguments.at(1)))
        useBound(*bound);
}

const PortalHotKeyGrabber::Shortcut* PortalHotKeyGrabber::shortcutFor(int id) const
{
    for (const Shortcut& shortcut : shortcuts_)
        if (shortcut.id == id)
            return &shortcut;
    return nullptr;
}
