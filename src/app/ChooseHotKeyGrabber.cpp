// Which hot key grabber this desktop gets. X key grabs fire on Wayland desktops only
// while an X window has the focus, so there the desktop's own service comes first:
// KDE's kglobalaccel where it runs (Plasma's portal would open its shortcut settings at
// every start), else the portal's global shortcuts.

#include "app/ChooseHotKeyGrabber.h"
#include "hotkeys/HotKeys.h"
#include "platform/AppId.h"
#include "platform/kde/KGlobalAccelHotKeyGrabber.h"
#include "platform/portal/PortalHotKeyGrabber.h"
#include "platform/portal/PortalSession.h"
#include "platform/x11/X11HotKeyGrabber.h"

#include <QCoreApplication>
#include <QDBusConnection>

#include <cstdlib>
#include <cstring>

namespace {

bool IsWaylandSession()
{
    const char* display = std::getenv("WAYLAND_DISPLAY");
    const char* type = std::getenv("XDG_SESSION_TYPE");
    return (display && *display) || (type && std::strcmp(type, "wayland") == 0);
}

std::unique_ptr<HotKeyGrabber> MakeX11Grabber()
{
    return std::make_unique<X11HotKeyGrabber>();
}

std::unique_ptr<HotKeyGrabber> MakeKGlobalAccelGrabber(const QDBusConnection& bus,
                                                       const QString& appId)
{
    std::vector<KGlobalAccelHotKeyGrabber::Action> actions;
    for (const HotKeyBinding& binding : kHotKeys)
        actions.push_back({binding.id, QString::fromLatin1(binding.action),
                           QString::fromLatin1(binding.command)});
    return std::make_unique<KGlobalAccelHotKeyGrabber>(bus, appId, QStringLiteral("Pinleaf"),
                                                       std::move(actions));
}

} // namespace

std::unique_ptr<HotKeyGrabber> ChooseHotKeyGrabber()
{
    if (!IsWaylandSession())
        return MakeX11Grabber();
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString appId = QString::fromUtf8(AppId.data(), qsizetype(AppId.size()));
    if (KGlobalAccelHotKeyGrabber::IsRunning(bus))
        return MakeKGlobalAccelGrabber(bus, appId);
    if (!bus.isConnected()) {
        PortalHotKeyGrabber::TellFallback(QStringLiteral("no session bus"));
        return MakeX11Grabber();
    }
    // Whether the portal offers global shortcuts is known later: the grabber asks.
    PortalSession::RegisterAppId(bus, appId);
    std::vector<PortalHotKeyGrabber::Shortcut> shortcuts;
    for (const HotKeyBinding& binding : kHotKeys)
        shortcuts.push_back({binding.id, QString::fromLatin1(binding.action),
                             QCoreApplication::translate("HotKeys", binding.description)});
    return std::make_unique<PortalHotKeyGrabber>(bus, std::move(shortcuts), MakeX11Grabber);
}
