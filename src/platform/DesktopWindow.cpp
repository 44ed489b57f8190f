#include "platform/DesktopWindow.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QWidget>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/sync.h>

#include <algorithm>
#include <cstring>

#include <vector>

namespace {

std::uint32_t g_actionTime = 0;
bool g_onAllDesktops = false;
constexpr long kAllDesktops = 0xFFFFFFFF;

Display* X11Display()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

Atom Intern(Display* display, const char* name)
{
    return XInternAtom(display, name, False);
}

// The server's time now, read from the SYNC extension's SERVERTIME counter: a plain
// request and reply, so nothing is taken from the toolkit's event queue.
Time ServerTimeNow(Display* display)
{
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XSyncQueryExtension(display, &eventBase, &errorBase) ||
        !XSyncInitialize(display, &major, &minor))
        return CurrentTime;
    int count = 0;
    XSyncSystemCounter* counters = XSyncListSystemCounters(display, &count);
    Time time = CurrentTime;
    for (int i = 0; counters && i < count; ++i) {
        XSyncValue value;
        if (std::strcmp(counters[i].name, "SERVERTIME") == 0 &&
            XSyncQueryCounter(display, counters[i].counter, &value))
            time = static_cast<Time>(static_cast<std::uint32_t>(XSyncValueLow32(value)));
    }
    if (counters)
        XSyncFreeSystemCounterList(counters);
    return time;
}

// Whether a window manager that follows the desktop conventions runs.
bool HasWindowManager(Display* display, Window root)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const bool found =
        XGetWindowProperty(display, root, Intern(display, "_NET_SUPPORTING_WM_CHECK"), 0, 1, False,
                           XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
        type == XA_WINDOW && count == 1;
    if (data)
        XFree(data);
    return found;
}

} // namespace

void KeepOffTaskbar(QWidget* window)
{
    Display* display = X11Display();
    if (!display || !window)
        return;
    const Window id = static_cast<Window>(window->winId());
    const Atom state = Intern(display, "_NET_WM_STATE");
    // Qt merges its own states into what the property holds when it maps the window.
    std::vector<Atom> atoms;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, id, state, 0, 64, False, XA_ATOM, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
        if (type == XA_ATOM && format == 32) {
            const auto* held = reinterpret_cast<const Atom*>(data);
            atoms.assign(held, held + count);
        }
        XFree(data);
    }
    for (const char* name : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER",
                             "_KDE_NET_WM_STATE_SKIP_SWITCHER"}) {
        const Atom atom = Intern(display, name);
        if (std::find(atoms.begin(), atoms.end(), atom) == atoms.end())
            atoms.push_back(atom);
    }
    const Atom sticky = Intern(display, "_NET_WM_STATE_STICKY");
    atoms.erase(std::remove(atoms.begin(), atoms.end(), sticky), atoms.end());
    if (g_onAllDesktops)
        atoms.push_back(sticky);
    XChangeProperty(display, id, state, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(atoms.data()),
                    static_cast<int>(atoms.size()));
    // The workspace a window maps on: every one, or the window manager's choice.
    const Atom desktop = Intern(display, "_NET_WM_DESKTOP");
    if (g_onAllDesktops) {
        const long all = kAllDesktops;
        XChangeProperty(display, id, desktop, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&all), 1);
    } else {
        XDeleteProperty(display, id, desktop);
    }
}

void SetOnAllDesktops(bool on)
{
    g_onAllDesktops = on;
}

bool OnAllDesktops()
{
    return g_onAllDesktops;
}

void ApplyOnAllDesktops(QWidget* window)
{
    Display* display = X11Display();
    if (!display || !window || !window->isVisible())
        return;
    const Window root = DefaultRootWindow(display);
    const Window id = static_cast<Window>(window->winId());
    auto send = [&](const char* type, long l0, long l1) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = id;
        event.xclient.message_type = Intern(display, type);
        event.xclient.format = 32;
        event.xclient.data.l[0] = l0;
        event.xclient.data.l[1] = l1;
        event.xclient.data.l[3] = 1; // from an application
        XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    };
    constexpr long kRemove = 0;
    constexpr long kAdd = 1;
    send("_NET_WM_STATE", g_onAllDesktops ? kAdd : kRemove,
         static_cast<long>(Intern(display, "_NET_WM_STATE_STICKY")));
    long current = 0;
    if (!g_onAllDesktops) {
        // Back to the workspace the user looks at.
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, root, Intern(display, "_NET_CURRENT_DESKTOP"), 0, 1, False,
                               XA_CARDINAL, &type, &format, &count, &after, &data) == Success &&
            data && count == 1)
            current = *reinterpret_cast<const long*>(data);
        if (data)
            XFree(data);
    }
    send("_NET_WM_DESKTOP", g_onAllDesktops ? kAllDesktops : current, 1);
    XFlush(display);
}

void SetUserActionTime(std::uint32_t serverTime)
{
    g_actionTime = serverTime;
}

void ActivateWindow(QWidget* window)
{
    Display* display = X11Display();
    if (!display || !window || !window->isVisible())
        return;
    const Window id = static_cast<Window>(window->winId());
    Time time = g_actionTime;
    g_actionTime = 0;
    if (time == CurrentTime)
        time = ServerTimeNow(display);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = id;
    event.xclient.message_type = Intern(display, "_NET_ACTIVE_WINDOW");
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1; // a request from an application
    event.xclient.data.l[1] = static_cast<long>(time);
    event.xclient.data.l[2] = 0;
    const Window root = DefaultRootWindow(display);
    if (!HasWindowManager(display, root)) {
        // Nobody would answer the request: the window takes the focus itself.
        window->activateWindow();
        return;
    }
    XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}

void KeepDialogFixed(QWidget* dialog)
{
    const Qt::WindowFlags kept =
        dialog->windowFlags() & (Qt::WindowType_Mask | Qt::WindowStaysOnTopHint);
    dialog->setWindowFlags(kept | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    // Title bars draw the caption in a bold face beside the window's icon and its
    // buttons (some window managers add minimise whatever the hints say); a narrower
    // dialog has its caption cut short. Without a window manager there is no title bar.
    Display* display = X11Display();
    if (!display || !HasWindowManager(display, DefaultRootWindow(display)))
        return;
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    constexpr int kTitleBarExtras = 110;
    const int needed =
        QFontMetrics(titleFont).horizontalAdvance(dialog->windowTitle()) + kTitleBarExtras;
    if (dialog->minimumWidth() == dialog->maximumWidth() && dialog->width() < needed)
        dialog->setFixedWidth(needed);
}
