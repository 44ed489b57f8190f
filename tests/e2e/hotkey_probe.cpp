// A test-only program for the end-to-end scripts: binds hot keys on the real X server
// (the panel's key sets, or single raw combinations), can put the program's icon in the
// tray, and prints one line per event on stdout:
//   grab <id> ok|failed      pressed <id>      tray available|missing      gesture <name>
//   ready                    (everything asked for is in place)
// Arguments: --modes 0,1,...      apply these hot key modes one after the other
//            --grab id:mods:key   bind one combination (numbers, key may be 0x..)
//            --tray               show the tray icon with its balloon

#include "hotkeys/HotKeys.h"
#include "hotkeys/KeyCodes.h"
#include "panel/PanelTray.h"
#include "platform/SystemTrayIcon.h"
#include "platform/x11/X11HotKeyGrabber.h"

#include <QApplication>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QTimer>

#include <cstdio>

namespace {

void Say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Reports every bind the key sets make, then hands it on.
class LoggingGrabber : public HotKeyGrabber {
public:
    LoggingGrabber() { connect(&real_, &HotKeyGrabber::pressed, this, &HotKeyGrabber::pressed); }
    bool grab(int id, QKeyCombination keys) override
    {
        bool ok = real_.grab(id, keys);
        Say(QString("grab %1 %2").arg(id).arg(ok ? "ok" : "failed"));
        return ok;
    }
    void release(int id) override { real_.release(id); }

private:
    X11HotKeyGrabber real_;
};

const char* GestureName(TrayIcon::Gesture g)
{
    switch (g) {
    case TrayIcon::RightClick:
        return "RightClick";
    case TrayIcon::DoubleClick:
        return "DoubleClick";
    case TrayIcon::LeftClick:
        return "LeftClick";
    case TrayIcon::Activate:
        return "Activate";
    }
    return "?";
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);

    LoggingGrabber grabber;
    QObject::connect(&grabber, &HotKeyGrabber::pressed,
                     [](int id) { Say(QString("pressed %1").arg(id)); });
    SystemTrayIcon tray;
    QObject::connect(&tray, &TrayIcon::activated,
                     [](TrayIcon::Gesture g) { Say(QString("gesture %1").arg(GestureName(g))); });

    std::int32_t hotKeyMode = -1;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--modes" && i + 1 < args.size()) {
            for (const QString& mode : args[++i].split(','))
                ApplyHotKeyMode(grabber, mode.toInt(), hotKeyMode);
        } else if (args[i] == "--grab" && i + 1 < args.size()) {
            QStringList parts = args[++i].split(':');
            if (parts.size() == 3)
                grabber.grab(parts[0].toInt(), HotKeyCombination(parts[1].toUInt(nullptr, 0),
                                                                 parts[2].toUInt(nullptr, 0)));
        } else if (args[i] == "--tray") {
            Say(QSystemTrayIcon::isSystemTrayAvailable() ? "tray available" : "tray missing");
            AddTrayIcon(tray, true);
        }
    }
    // Reported from the event loop, once the grabs and the icon are on the server.
    QTimer::singleShot(0, [] { Say("ready"); });
    return app.exec();
}
