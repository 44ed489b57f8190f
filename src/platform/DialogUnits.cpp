#include "platform/DialogUnits.h"

#include <QFont>
#include <QFontInfo>

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
    const int pixels = QFontInfo(desktopFont).pixelSize();
    if (pixels <= 0)
        return 1000;
    return std::clamp(static_cast<int>(std::lround(1000.0 * pixels / kDefaultPixels)), kSmallest,
                      kLargest);
}
