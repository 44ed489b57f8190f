#include "platform/SmallWindowIcon.h"

#include "platform/AppIcon.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QWidget>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <vector>

namespace {

// An icon Qt hands to the window system as no picture at all: Qt converts a window's icon
// anew for every window it creates, twice, which for a hundred notes is a noticeable
// share of start-up. Notes carry this, and get the picture as prepared bytes instead.
class NoPictureEngine final : public QIconEngine {
public:
    void paint(QPainter*, const QRect&, QIcon::Mode, QIcon::State) override {}
    QPixmap pixmap(const QSize&, QIcon::Mode, QIcon::State) override { return {}; }
    QIconEngine* clone() const override { return new NoPictureEngine; }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {{16, 16}}; }
    bool isNull() override { return false; }
};

const QIcon& NoPicture()
{
    static const QIcon* const none = new QIcon(new NoPictureEngine);
    return *none;
}

} // namespace

void GiveSmallAppIcon(QWidget* window)
{
    window->setWindowIcon(NoPicture());
}

ManySmallWindows::ManySmallWindows() : programIcon_(QGuiApplication::windowIcon())
{
    QGuiApplication::setWindowIcon(NoPicture());
}

ManySmallWindows::~ManySmallWindows()
{
    QGuiApplication::setWindowIcon(programIcon_);
}

void CarrySmallAppIcon(QWidget* window)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display || !window->testAttribute(Qt::WA_WState_Created))
        return;
    // _NET_WM_ICON: width, height, then the pixels as non-premultiplied ARGB, each in a
    // long as Xlib wants 32-bit items handed over.
    static const std::vector<long> data = [] {
        const QImage image = DrawAppIcon(16).convertToFormat(QImage::Format_ARGB32);
        std::vector<long> words{image.width(), image.height()};
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            words.insert(words.end(), line, line + image.width());
        }
        return words;
    }();
    static const Atom icon = XInternAtom(display, "_NET_WM_ICON", False);
    XChangeProperty(display, window->winId(), icon, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), int(data.size()));
}
