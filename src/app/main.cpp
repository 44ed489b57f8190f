#include "app/NoteApp.h"

int main(int argc, char** argv)
{
    ChooseWindowSystem();
    CNoteApp app(argc, argv);
    // The global keys and the tray icon are optional: the panel runs without them.
    return app.InitInstance(nullptr, nullptr);
}
