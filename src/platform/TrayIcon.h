#pragma once
// The notification-area icon.

#include <QObject>
#include <QString>

class TrayIcon : public QObject {
    Q_OBJECT
public:
    enum Gesture { RightClick, DoubleClick, LeftClick };

    using QObject::QObject;
    ~TrayIcon() override = default;

    // Replaces any previous icon; with a balloon, shows it anew.
    virtual void add(const QString& tip, bool balloon, const QString& balloonTitle,
                     const QString& balloonText) = 0;
    virtual void remove() = 0;

signals:
    void activated(TrayIcon::Gesture gesture);
};
