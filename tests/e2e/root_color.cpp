// A test-only helper for the end-to-end scripts: paints the desktop (the root window's
// background) in one colour, so screenshots show which pixels a window lets through.
// Usage: root_color RRGGBB
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s RRGGBB\n", argv[0]);
        return 2;
    }
    const unsigned long rgb = std::strtoul(argv[1], nullptr, 16);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    // A 24-bit TrueColor screen takes the RGB value as its pixel value.
    const Window root = DefaultRootWindow(display);
    XSetWindowBackground(display, root, rgb);
    XClearWindow(display, root);
    XCloseDisplay(display); // flushes; the background stays with the window
    return 0;
}
