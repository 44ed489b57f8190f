#include "panel/PanelLook.h"

#include <QPainterPath>
#include <QPolygon>

PanelScheme PanelSchemeFor(int index)
{
    switch (index) {
    case 1:
        return {{150, 50, 50}, {250, 200, 200}};
    case 2:
        return {{100, 100, 100}, {220, 220, 220}};
    case 3:
        return {{50, 120, 50}, {200, 250, 200}};
    case 4:
        return {{150, 50, 150}, {250, 200, 250}};
    default:
        return {{50, 80, 150}, {200, 220, 250}};
    }
}

QRegion PanelOutline(int style, QSize size)
{
    const int w = size.width();
    const int h = size.height();
    switch (static_cast<PanelStyle>(style)) {
    case PanelStyle::Rectangle:
        return QRegion(0, 0, w, h);
    case PanelStyle::CutTopLeftBottomRight:
        return QRegion(QPolygon({QPoint(9, 0), QPoint(w, 0), QPoint(w, h - 9), QPoint(w - 9, h),
                                 QPoint(0, h), QPoint(0, 9)}),
                       Qt::OddEvenFill);
    case PanelStyle::CutTopRightBottomLeft:
        return QRegion(QPolygon({QPoint(0, 0), QPoint(w - 9, 0), QPoint(w, 9), QPoint(w, h),
                                 QPoint(9, h), QPoint(0, h - 9)}),
                       Qt::OddEvenFill);
    case PanelStyle::RoundAngles:
    default: {
        // Corner ellipse 9 x 9.
        QPainterPath path;
        path.addRoundedRect(QRectF(0, 0, w, h), 4.5, 4.5);
        return QRegion(path.toFillPolygon().toPolygon(), Qt::OddEvenFill);
    }
    }
}
