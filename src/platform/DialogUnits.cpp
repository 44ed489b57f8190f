#include "platform/DialogUnits.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {
// Qt's own default desktop font where no desktop says otherwise: 9 points, which is
// 12 pixels at 96 DPI. The layouts were drawn for it.
constexpr double kDefaultPixels = 12.0;
constexpr int kSmallest = 750;
constexpr int kLargest = 3000;
} // namespace

void SetDialogScale(int permille)
{
    detail::dialogScale = std::clamp(permille, kSmallest, kLargest);
}

int DesktopFontScale(const QFont& desktopFont)
{
    // Worked out from the size asked for, as the font would be drawn: no font is loaded
    // for it (start-up reads the font database only once the windows are up).
    int pixels = desktopFont.pixelSize();
    if (pixels <= 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
        pixels = static_cast<int>(std::lround(desktopFont.pointSizeF() * dpi / 72.0));
    }
    if (pixels <= 0)
        return 1000;
    return std::clamp(static_cast<int>(std::lround(1000.0 * pixels / kDefaultPixels)), kSmallest,
                      kLargest);
}
