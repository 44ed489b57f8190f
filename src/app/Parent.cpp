#include "app/Parent.h"

#include "panel/NoteDlg.h"
#include "platform/SessionEnd.h"

#include <QEventLoop>

#include <cstdio>
#include <cstdlib>

int CParent::OnInitDialog(std::unique_ptr<HotKeyGrabber> hotKeys, std::unique_ptr<TrayIcon> tray)
{
    CNoteDlg panel(std::move(hotKeys), std::move(tray));
    // Log-out, shut-down and a plain kill save everything, as "Exit" does, even with a
    // question open; a checkpoint of the session saves and goes on.
    SessionEnd sessionEnd;
    QObject::connect(&sessionEnd, &SessionEnd::ended, &panel, [&panel] { panel.OnSessionEnd(); });
    QObject::connect(&sessionEnd, &SessionEnd::checkpoint, &panel,
                     [&panel] { panel.OnCheckpoint(); });

    if (!panel.OnInitDialog())
        return panel.ExitStatus();
    QEventLoop loop;
    QObject::connect(&panel, &CNoteDlg::finished, &loop, &QEventLoop::exit);
    if (panel.Ended())
        return panel.ExitStatus();
    const int status = loop.exec();
    panel.EndHotKeys();
    // Everything is saved and the tray icon is gone. The windows go with the connection
    // to the X server; taking them down one by one would cost a round trip each.
    std::fflush(nullptr);
    std::_Exit(status);
}
