#include "app/NoteApp.h"
#include "platform/AppIcon.h"
#include "platform/SystemTrayIcon.h"
#include "platform/X11HotKeyGrabber.h"

int main(int argc, char** argv)
{
    ChooseWindowSystem();
    CNoteApp app(argc, argv);
    CNoteApp::setWindowIcon(AppIcon());
    // Without an X display the grabs do nothing, and without a tray host the icon
    // stays away: the program runs on either way.
    return app.InitInstance(ChooseHotKeyGrabber(),
                            std::make_unique<SystemTrayIcon>());
}
