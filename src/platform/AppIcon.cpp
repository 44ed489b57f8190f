#include "platform/AppIcon.h"

#include "platform/AppId.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

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

QIcon BuiltInAppIcon()
{
    QIcon builtIn;
    // Every window carries these to the X server: the sizes window managers ask for.
    for (int size : {16, 32, 48})
        builtIn.addPixmap(QPixmap::fromImage(DrawAppIcon(size)));
    return builtIn;
}

QIcon AppIcon()
{
    // The installed icon theme's copy first, so a theme can restyle it.
    return QIcon::fromTheme(QString::fromLatin1(AppId.data(), qsizetype(AppId.size())),
                            BuiltInAppIcon());
}

QIcon CurrentAppIcon()
{
    const QIcon icon = QGuiApplication::windowIcon();
    return icon.isNull() ? BuiltInAppIcon() : icon;
}
