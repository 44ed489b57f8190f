#include "platform/x11/X11HotKeyGrabber.h"

#include "hotkeys/KeyCodes.h"
#include "platform/DesktopWindow.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

#include <cstdio>

namespace {

// Only these modifiers tell combinations apart; Lock (CapsLock) and Mod2 (NumLock)
// must not stop a hot key from working, so every grab is made in all four variants.
constexpr unsigned kRelevantState = ShiftMask | ControlMask | Mod1Mask | Mod4Mask;
constexpr unsigned kLockVariants[] = {0, LockMask, Mod2Mask, LockMask | Mod2Mask};

Display* AsDisplay(void* display)
{
    return static_cast<Display*>(display);
}

unsigned StateFor(Qt::KeyboardModifiers modifiers)
{
    unsigned state = 0;
    if (modifiers & Qt::AltModifier)
        state |= Mod1Mask;
    if (modifiers & Qt::ControlModifier)
        state |= ControlMask;
    if (modifiers & Qt::ShiftModifier)
        state |= ShiftMask;
    if (modifiers & Qt::MetaModifier)
        state |= Mod4Mask;
    return state;
}

// The keysym of a key, or NoSymbol for keys we do not bind.
KeySym KeySymFor(Qt::Key key)
{
    const QString name = XkbKeyName(key);
    return name.isEmpty() ? NoSymbol : XStringToKeysym(name.toLatin1().constData());
}

// Xlib reports errors of a request asynchronously through one process-wide handler.
// While grabbing we swap in a handler that only records the code, and XSync makes
// sure every reply is in before we look at it.
int g_trappedError = Success;

int RecordError(Display*, XErrorEvent* event)
{
    g_trappedError = event->error_code;
    return 0;
}

class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : display_(display)
    {
        XSync(display_, False);
        g_trappedError = Success;
        previous_ = XSetErrorHandler(RecordError);
    }
    ~ErrorTrap() { XSetErrorHandler(previous_); }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    // Waits for the server and returns the first error seen, Success when none.
    int result()
    {
        XSync(display_, False);
        return g_trappedError;
    }

private:
    Display* display_;
    XErrorHandler previous_;
};

} // namespace

X11HotKeyGrabber::X11HotKeyGrabber(QObject* parent) : HotKeyGrabber(parent)
{
    if (auto* x11 =
            qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
        display_ = x11->display();
    if (display_) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        filterInstalled_ = true;
    }
}

X11HotKeyGrabber::~X11HotKeyGrabber()
{
    if (filterInstalled_ && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
    if (display_) {
        for (const auto& [id, grabs] : bindings_)
            ungrabAll(grabs);
        XFlush(AsDisplay(display_));
    }
}

bool X11HotKeyGrabber::hasDisplay()
{
    static bool told = false;
    if (!display_ && !told) {
        told = true;
        std::fprintf(stderr, "Pinleaf: no X display; system-wide hot keys are off.\n");
    }
    return display_ != nullptr;
}

std::vector<X11HotKeyGrabber::KeyGrab> X11HotKeyGrabber::grabsFor(QKeyCombination keys) const
{
    Display* display = AsDisplay(display_);
    std::vector<KeyGrab> grabs;
    unsigned state = StateFor(keys.keyboardModifiers());
    if (keys.key() == Qt::Key_Meta) {
        // The modifiers alone: the Win key is the one pressed last. Its own press
        // does not carry Mod4 yet, unless the other Win key is already held down.
        if (!(state & Mod4Mask))
            return grabs;
        unsigned others = state & ~Mod4Mask;
        for (KeySym sym : {XK_Super_L, XK_Super_R}) {
            if (KeyCode code = XKeysymToKeycode(display, sym)) {
                grabs.push_back({code, others});
                grabs.push_back({code, state});
            }
        }
        return grabs;
    }
    KeySym sym = KeySymFor(keys.key());
    if (sym == NoSymbol)
        return grabs;
    if (KeyCode code = XKeysymToKeycode(display, sym))
        grabs.push_back({code, state});
    return grabs;
}

bool X11HotKeyGrabber::grabAll(const std::vector<KeyGrab>& grabs)
{
    Display* display = AsDisplay(display_);
    Window root = DefaultRootWindow(display);
    ErrorTrap trap(display);
    for (const KeyGrab& grab : grabs)
        for (unsigned lock : kLockVariants)
            XGrabKey(display, int(grab.keycode), grab.state | lock, root, False, GrabModeAsync,
                     GrabModeAsync);
    return trap.result() == Success;
}

void X11HotKeyGrabber::ungrabAll(const std::vector<KeyGrab>& grabs)
{
    Display* display = AsDisplay(display_);
    Window root = DefaultRootWindow(display);
    ErrorTrap trap(display);
    for (const KeyGrab& grab : grabs)
        for (unsigned lock : kLockVariants)
            XUngrabKey(display, int(grab.keycode), grab.state | lock, root);
    trap.result();
}

bool X11HotKeyGrabber::grab(int id, QKeyCombination keys)
{
    if (!hasDisplay())
        return false;
    release(id);
    std::vector<KeyGrab> grabs = grabsFor(keys);
    if (grabs.empty())
        return false;
    if (!grabAll(grabs)) {
        // Another client holds (some variant of) the combination: give back the
        // variants we did get, so the id is cleanly unbound.
        ungrabAll(grabs);
        return false;
    }
    bindings_[id] = std::move(grabs);
    return true;
}

void X11HotKeyGrabber::release(int id)
{
    auto found = bindings_.find(id);
    if (found == bindings_.end())
        return;
    if (display_)
        ungrabAll(found->second);
    bindings_.erase(found);
}

bool X11HotKeyGrabber::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return false;
    auto* press = reinterpret_cast<xcb_key_press_event_t*>(event);
    unsigned state = press->state & kRelevantState;
    for (const auto& [id, grabs] : bindings_) {
        for (const KeyGrab& grab : grabs) {
            if (grab.keycode == press->detail && grab.state == state) {
                // Handled after the filter returns, so whatever the press starts
                // (a new window, a menu) never runs inside Qt's event dispatch.
                QMetaObject::invokeMethod(
                    this,
                    [this, id = id, time = press->time] {
                        // What the key brings forward gets the key's own time.
                        SetUserActionTime(time);
                        emit pressed(id);
                    },
                    Qt::QueuedConnection);
                return true;
            }
        }
    }
    return false;
}
