#include "platform/AppIcon.h"

#include "platform/AppId.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cstdlib>

// Drawn on a 32-unit grid and scaled, so every size shows the same note. data/pinleaf.svg
// is the same drawing.
QImage DrawAppIcon(int size)
{
    QImage pixmap(size, size, QImage::Format_ARGB32_Premultiplied);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    // The sheet with its lower right corner turned up.
    QPainterPath sheet;
    sheet.moveTo(3, 4);
    sheet.lineTo(29, 4);
    sheet.lineTo(29, 22);
    sheet.lineTo(21, 30);
    sheet.lineTo(3, 30);
    sheet.closeSubpath();
    painter.setPen(QPen(QColor(150, 120, 0), 1));
    painter.setBrush(QColor(255, 232, 80));
    painter.drawPath(sheet);

    QPainterPath fold;
    fold.moveTo(29, 22);
    fold.lineTo(21, 22);
    fold.lineTo(21, 30);
    fold.closeSubpath();
    painter.setBrush(QColor(220, 190, 40));
    painter.drawPath(fold);

    // Lines of writing.
    painter.setPen(QPen(QColor(120, 100, 40), 1.5));
    for (int y : {12, 17, 22})
        painter.drawLine(QPointF(7, y), QPointF(y < 20 ? 25 : 18, y));

    // The pin.
    painter.setPen(QPen(QColor(110, 0, 0), 1));
    painter.setBrush(QColor(220, 30, 30));
    painter.drawEllipse(QPointF(16, 5), 3.5, 3.5);
    return pixmap;
}

namespace {

// Every window carries its icon to the X server, in every size the icon has, converted
// anew for each window: these are the sizes window managers ask for.
constexpr int kWindowIconSizes[] = {16, 32, 48};

// Whether two pictures are the same but for the rounding of a trip through a file.
bool LooksAlike(const QImage& one, const QImage& other)
{
    if (one.size() != other.size())
        return false;
    const QImage a = one.convertToFormat(QImage::Format_ARGB32);
    const QImage b = other.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (qAlpha(p[x]) == 0 && qAlpha(q[x]) == 0)
                continue;
            if (std::abs(qRed(p[x]) - qRed(q[x])) > 3 ||
                std::abs(qGreen(p[x]) - qGreen(q[x])) > 3 ||
                std::abs(qBlue(p[x]) - qBlue(q[x])) > 3 ||
                std::abs(qAlpha(p[x]) - qAlpha(q[x])) > 3)
                return false;
        }
    }
    return true;
}

} // namespace

QIcon BuiltInAppIcon()
{
    QIcon builtIn;
    for (int size : kWindowIconSizes)
        builtIn.addPixmap(QPixmap::fromImage(DrawAppIcon(size)));
    return builtIn;
}

QIcon SmallAppIcon()
{
    // Made once and kept to the end: the notes share it.
    static const QIcon* const small = new QIcon(QPixmap::fromImage(DrawAppIcon(16)));
    return *small;
}

QIcon CurrentAppIcon()
{
    const QIcon icon = QGuiApplication::windowIcon();
    return icon.isNull() ? BuiltInAppIcon() : icon;
}

bool UseThemedAppIcon()
{
    const QString id = QString::fromLatin1(AppId.data(), qsizetype(AppId.size()));
    if (!QIcon::hasThemeIcon(id))
        return false;
    // A theme's icon comes in many sizes (up to 256 pixels); the windows take the small
    // ones only. The installed icon is the built-in drawing: then nothing changes.
    const QIcon themed = QIcon::fromTheme(id);
    QIcon icon;
    bool same = true;
    for (int size : kWindowIconSizes) {
        const QPixmap pixmap = themed.pixmap(size, size);
        icon.addPixmap(pixmap);
        same = same && LooksAlike(pixmap.toImage(), DrawAppIcon(size));
    }
    if (same)
        return false;
    QGuiApplication::setWindowIcon(icon);
    return true;
}
