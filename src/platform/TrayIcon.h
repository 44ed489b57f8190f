#pragma once
// The notification-area icon.

#include <QObject>
#include <QString>

class QMenu;

class TrayIcon : public QObject {
    Q_OBJECT
public:
    // Activate: a click on a host that delivers no double-click (StatusNotifier hosts).
    enum Gesture { RightClick, DoubleClick, LeftClick, Activate };

    using QObject::QObject;
    ~TrayIcon() override = default;

    // Shows the icon (the same one each time); with a balloon, shows the balloon anew.
    virtual void add(const QString& tip, bool balloon, const QString& balloonTitle,
                     const QString& balloonText) = 0;
    virtual void remove() = 0;
    // The menu the host shows on a right-click (hosts that show only exported menus
    // need it). With a menu set, a right-click is the icon's own business.
    virtual void setMenu(QMenu* menu) = 0;
    // Takes up the program's window icon anew (the theme's copy arrives after start-up).
    virtual void refreshIcon() {}

signals:
    void activated(TrayIcon::Gesture gesture);
};
