#pragma once
// The notification-area icon through QSystemTrayIcon: the StatusNotifier protocol when a
// host is registered on the session bus, else the XEmbed tray. Without a tray host
// nothing is shown and nothing fails; an XEmbed host that appears later picks the icon
// up.

#include "platform/TrayIcon.h"

#include <QSystemTrayIcon>

class SystemTrayIcon : public TrayIcon {
    Q_OBJECT
public:
    explicit SystemTrayIcon(QObject* parent = nullptr);

    void add(const QString& tip, bool balloon, const QString& balloonTitle,
             const QString& balloonText) override;
    void remove() override;
    void setMenu(QMenu* menu) override;
    void refreshIcon() override;

private:
    void ensureIcon();
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    // Shows the balloon once the icon has its place in the tray (a balloon shown
    // earlier points at nothing); tries is how many more checks to make.
    void showBalloonWhenPlaced(int tries);

    // Created once and kept: a new icon would move to the end of the tray.
    QSystemTrayIcon* icon_ = nullptr;
    bool statusNotifier_ = false;
    QString balloonTitle_;
    QString balloonText_;
};

// Whether a StatusNotifier host is registered on the session bus (Qt's choice too).
bool StatusNotifierHostRegistered();
