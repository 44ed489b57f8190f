#include "app/NoteApp.h"

#include "app/Parent.h"
#include "platform/QtPlatform.h"
#include "widgets/Menus.h"

#include <cstdlib>

void ChooseWindowSystem()
{
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    const char* display = std::getenv("DISPLAY");
    if ((!chosen || !*chosen) && display && *display)
        setenv("QT_QPA_PLATFORM", "xcb", 1);
}

CNoteApp::CNoteApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("pinleaf"));
    // No display name: Qt would add " — <display name>" to every window caption.
    // Hiding the panel or closing every note never ends the program.
    setQuitOnLastWindowClosed(false);
    OpenContextMenusOnShiftF10(this);
}

int CNoteApp::InitInstance(std::unique_ptr<HotKeyGrabber> hotKeys, std::unique_ptr<TrayIcon> tray)
{
    QtPlatform desktop;
    setPlatform(&desktop);
    CParent parent;
    const int status = parent.OnInitDialog(std::move(hotKeys), std::move(tray));
    setPlatform(nullptr);
    return status;
}
