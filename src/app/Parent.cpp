#include "app/Parent.h"

#include "panel/NoteDlg.h"
#include "platform/SessionEnd.h"

#include <QEventLoop>

#include <cstdio>
#include <cstdlib>

int CParent::OnInitDialog(std::unique_ptr<HotKeyGrabber> hotKeys, std::unique_ptr<TrayIcon> tray)
{
    CNoteDlg panel(std::move(hotKeys), std::move(tray));
    // Log-out, shut-down and a plain kill save everything, as "Exit" does.
    SessionEnd sessionEnd;
    QObject::connect(&sessionEnd, &SessionEnd::ended, &panel, [&panel] { panel.OnOK(); });

    if (!panel.OnInitDialog())
        return panel.ExitStatus();
    QEventLoop loop;
    QObject::connect(&panel, &CNoteDlg::finished, &loop, &QEventLoop::exit);
    if (panel.Ended())
        return panel.ExitStatus();
    const int status = loop.exec();
    // Everything is saved and the tray icon is gone. The windows go with the connection
    // to the X server; taking them down one by one would cost a round trip each.
    std::fflush(nullptr);
    std::_Exit(status);
}
