#pragma once
// The notification-area icon through QSystemTrayIcon. Without a tray host nothing is
// shown and nothing fails; a host that appears later picks the icon up.

#include "platform/TrayIcon.h"

#include <QSystemTrayIcon>

class SystemTrayIcon : public TrayIcon {
    Q_OBJECT
public:
    explicit SystemTrayIcon(QObject* parent = nullptr);

    void add(const QString& tip, bool balloon, const QString& balloonTitle,
             const QString& balloonText) override;
    void remove() override;

private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon* icon_ = nullptr;
};
