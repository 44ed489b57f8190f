#include "platform/SystemTrayIcon.h"

#include "platform/AppIcon.h"

SystemTrayIcon::SystemTrayIcon(QObject* parent) : TrayIcon(parent) {}

void SystemTrayIcon::add(const QString& tip, bool balloon, const QString& balloonTitle,
                         const QString& balloonText)
{
    // A fresh icon each time, so the tray shows exactly one and the balloon anew.
    remove();
    icon_ = new QSystemTrayIcon(AppIcon(), this);
    icon_->setToolTip(tip);
    connect(icon_, &QSystemTrayIcon::activated, this, &SystemTrayIcon::onActivated);
    icon_->show();
    if (balloon && QSystemTrayIcon::isSystemTrayAvailable())
        icon_->showMessage(balloonTitle, balloonText, QSystemTrayIcon::Information);
}

void SystemTrayIcon::remove()
{
    if (!icon_)
        return;
    icon_->hide();
    delete icon_;
    icon_ = nullptr;
}

void SystemTrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Context:
        emit activated(RightClick);
        break;
    case QSystemTrayIcon::DoubleClick:
        emit activated(DoubleClick);
        break;
    case QSystemTrayIcon::Trigger:
        emit activated(LeftClick);
        break;
    default:
        break;
    }
}
