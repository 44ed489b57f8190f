#include "platform/SystemTrayIcon.h"

#include "platform/AppIcon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QTimer>

namespace {
// The checks for an XEmbed icon's place: 30 x 100 ms, then the balloon shows anyway.
constexpr int kPlacementChecks = 30;
constexpr int kPlacementCheckMs = 100;
} // namespace

bool StatusNotifierHostRegistered()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() ||
        !bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher")))
        return false;
    QDBusInterface watcher(QStringLiteral("org.kde.StatusNotifierWatcher"),
                           QStringLiteral("/StatusNotifierWatcher"),
                           QStringLiteral("org.kde.StatusNotifierWatcher"), bus);
    return watcher.property("IsStatusNotifierHostRegistered").toBool();
}

SystemTrayIcon::SystemTrayIcon(QObject* parent) : TrayIcon(parent) {}

void SystemTrayIcon::ensureIcon()
{
    if (icon_)
        return;
    // Qt picks the protocol when the first icon is made; ask the bus the same question
    // at the same moment.
    statusNotifier_ = StatusNotifierHostRegistered();
    icon_ = new QSystemTrayIcon(CurrentAppIcon(), this);
    connect(icon_, &QSystemTrayIcon::activated, this, &SystemTrayIcon::onActivated);
}

void SystemTrayIcon::add(const QString& tip, bool balloon, const QString& balloonTitle,
                         const QString& balloonText)
{
    ensureIcon();
    icon_->setToolTip(tip);
    icon_->show();
    if (balloon && QSystemTrayIcon::isSystemTrayAvailable()) {
        balloonTitle_ = balloonTitle;
        balloonText_ = balloonText;
        showBalloonWhenPlaced(kPlacementChecks);
    }
}

void SystemTrayIcon::showBalloonWhenPlaced(int tries)
{
    if (!icon_ || !icon_->isVisible())
        return;
    // A StatusNotifier balloon is a desktop notification and needs no place; an XEmbed
    // icon has one once the tray has embedded it.
    if (statusNotifier_ || icon_->geometry().isValid() || tries <= 0) {
        icon_->showMessage(balloonTitle_, balloonText_, QSystemTrayIcon::Information);
        return;
    }
    QTimer::singleShot(kPlacementCheckMs, this,
                       [this, tries] { showBalloonWhenPlaced(tries - 1); });
}

void SystemTrayIcon::refreshIcon()
{
    if (icon_)
        icon_->setIcon(CurrentAppIcon());
}

void SystemTrayIcon::remove()
{
    if (icon_)
        icon_->hide();
}

void SystemTrayIcon::setMenu(QMenu* menu)
{
    ensureIcon();
    icon_->setContextMenu(menu);
}

void SystemTrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Context:
        // With a menu of its own the icon (or the host) has shown it already.
        if (!icon_->contextMenu())
            emit activated(RightClick);
        break;
    case QSystemTrayIcon::DoubleClick:
        emit activated(DoubleClick);
        break;
    case QSystemTrayIcon::Trigger:
        emit activated(statusNotifier_ ? Activate : LeftClick);
        break;
    default:
        break;
    }
}
