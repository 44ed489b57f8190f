#include "widgets/MyLink.h"

#include "platform/DialogUnits.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "widgets/LabelAccessibility.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimerEvent>

namespace {

int panelStyle = 0;

LogFont LinkFontDescription()
{
    LogFont font;
    font.height = -Scaled(11); // the panel's buttons grow with the desktop's font
    font.weight = 400;
    font.charSet = 0; // ANSI
    font.setFace("MS Shell Dlg 2");
    return font;
}

// The button's area in the panel's shape family: the rectangle r with its corners
// rounded or cut by corner pixels.
QPainterPath ButtonShape(int shape, const QRectF& r, qreal corner)
{
    QPainterPath path;
    const qreal x0 = r.left();
    const qreal y0 = r.top();
    const qreal x1 = r.right();
    const qreal y1 = r.bottom();
    switch (shape) {
    case 1:
        path.addRoundedRect(r, corner, corner);
        break;
    case 2:
        path.addPolygon(QPolygonF({{x0 + corner, y0},
                                   {x1, y0},
                                   {x1, y1 - corner},
                                   {x1 - corner, y1},
                                   {x0, y1},
                                   {x0, y0 + corner}}));
        path.closeSubpath();
        break;
    case 3:
        path.addPolygon(QPolygonF({{x0, y0},
                                   {x1 - corner, y0},
                                   {x1, y0 + corner},
                                   {x1, y1},
                                   {x0 + corner, y1},
                                   {x0, y1 - corner}}));
        path.closeSubpath();
        break;
    default:
        path.addRect(r);
        break;
    }
    return path;
}

} // namespace

void CMyLink::SetPanelStyle(int style)
{
    panelStyle = style;
}

int CMyLink::PanelStyle()
{
    return panelStyle;
}

CMyLink::CMyLink(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    // Hover starts with the first mouse move over the link, so moves must arrive
    // without a button held.
    setMouseTracking(true);
    // Reached with Tab, not taken by a click: a click on a panel button must not pull
    // the focus away from the template list. Given once the label is polished (below).
    InstallLabelAccessibility();
    BuildFonts();
    hoverFont_.setUnderline(true);
    setFont(normalFont_);
}

void CMyLink::BuildFonts()
{
    normalFontDescription_ = LinkFontDescription();
    normalFont_ = ToQFont(normalFontDescription_);
    hoverFont_ = normalFont_;
}

void CMyLink::SetColorsAll(const QColor& normalText, const QColor& hoverText,
                           const QColor& normalFill, const QColor& hoverFill,
                           const QColor& normalPen, const QColor& hoverPen)
{
    normalText_ = normalText;
    hoverText_ = hoverText;
    normalFill_ = normalFill;
    hoverFill_ = hoverFill;
    normalPen_ = normalPen;
    hoverPen_ = hoverPen;
}

void CMyLink::SetStyle(int index)
{
    const QColor black(0, 0, 0);
    switch (index) {
    case 0:
        SetColorsAll({200, 220, 250}, black, {50, 80, 150}, {200, 250, 0}, {200, 220, 250}, black);
        break;
    case 1:
        SetColorsAll({250, 200, 200}, black, {150, 50, 50}, {220, 220, 220}, {250, 200, 200},
                     black);
        break;
    case 2:
        SetColorsAll({220, 220, 220}, black, {100, 100, 100}, {250, 170, 50}, {220, 220, 220},
                     black);
        break;
    case 3:
        SetColorsAll({200, 250, 200}, {50, 120, 50}, {50, 120, 50}, {200, 250, 200},
                     {200, 250, 200}, {50, 150, 50});
        break;
    case 4:
        SetColorsAll({250, 200, 250}, {150, 50, 150}, {150, 50, 150}, {250, 200, 250},
                     {250, 200, 250}, {200, 100, 200});
        break;
    case 5: {
        const QColor face = QApplication::palette().color(QPalette::Button);
        SetColorsAll({0, 0, 250}, {0, 0, 250}, face, face, face, face);
        break;
    }
    default:
        SetColorsAll({200, 220, 250}, black, {50, 80, 150}, {250, 230, 150}, {200, 220, 250},
                     black);
        break;
    }
    if (index == 5) {
        handCursor_ = true;
        setCursor(Qt::PointingHandCursor);
    } else {
        // The buttons change colour on hover instead of underlining.
        hoverFont_ = ToQFont(normalFontDescription_);
    }
    setFont(hovering_ ? hoverFont_ : normalFont_);
    Repaint();
}

void CMyLink::SetColors(const QColor& text, const QColor& back)
{
    BuildFonts();
    hoverFont_.setUnderline(true);
    setFont(normalFont_);
    SetColorsAll(text, text, back, back, back, back);
    handCursor_ = true;
    setCursor(Qt::PointingHandCursor);
    Repaint();
}

void CMyLink::SetTip(const QString& tip)
{
    relayTips_ = true;
    setToolTip(tip);
}

void CMyLink::SetTarget(const std::string& target)
{
    target_ = target;
}

void CMyLink::Repaint()
{
    update();
}

bool CMyLink::event(QEvent* event)
{
    const bool handled = QLabel::event(event);
    // A label that takes focus keeps a whole text document, laid out as it is polished,
    // which needs the font database: at start-up that would be read before the notes
    // appear. The button draws its own text; the focus comes after the polish.
    if (event->type() == QEvent::Polish)
        setFocusPolicy(Qt::TabFocus);
    return handled;
}

void CMyLink::paintEvent(QPaintEvent*)
{
    shape_ = panelStyle;
    corner_ = shape_ == 0 ? 0 : (shape_ == 2 || shape_ == 3) ? 3 : 6;

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // The outline is the whole shape in the pen colour with the fill one pixel inside it:
    // filled areas meet the widget's edges at any scale factor, where a thin line along
    // them would fall between device pixels or outside the clip.
    const qreal outer = shape_ == 0 ? 0 : 3.5;
    painter.fillPath(ButtonShape(shape_, QRectF(rect()), outer),
                     hovering_ ? hoverPen_ : normalPen_);
    painter.fillPath(ButtonShape(shape_, QRectF(rect()).adjusted(1, 1, -1, -1), outer - 1),
                     hovering_ ? hoverFill_ : normalFill_);

    const QColor textColor = hovering_ ? hoverText_ : normalText_;
    if (hasFocus()) {
        // The keyboard's place: a ring in the text colour just inside the outline.
        const QRectF area(rect());
        painter.fillPath(
            ButtonShape(shape_, area.adjusted(1, 1, -1, -1), outer - 1)
                .subtracted(ButtonShape(shape_, area.adjusted(2, 2, -2, -2), outer - 2)),
            textColor);
    }

    painter.setPen(textColor);
    painter.setFont(font());
    // The layout was measured for narrower fonts than most Linux desktops have: a text
    // that does not fit is drawn a little condensed rather than cut off.
    const QRect area = contentsRect().adjusted(1, 0, -1, 0);
    const int needed = painter.fontMetrics().horizontalAdvance(text());
    if (needed > area.width() && area.width() > 0) {
        const qreal factor = qreal(area.width()) / needed;
        painter.translate(area.left(), 0);
        painter.scale(factor, 1);
        painter.drawText(QRect(0, area.top(), needed, area.height()), static_cast<int>(alignment()),
                         text());
        return;
    }
    painter.drawText(contentsRect(), static_cast<int>(alignment()), text());
}

void CMyLink::mouseMoveEvent(QMouseEvent* event)
{
    if (!hovering_) {
        hovering_ = true;
        if (hoverFontSwitching_)
            setFont(hoverFont_);
        hoverTimer_.start(kHoverPeriodMs, this);
        Repaint();
    }
    QLabel::mouseMoveEvent(event);
}

void CMyLink::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != hoverTimer_.timerId()) {
        QLabel::timerEvent(event);
        return;
    }
    const QRect onScreen(mapToGlobal(QPoint(0, 0)), size());
    if (!onScreen.contains(platform().cursorPos()))
        EndHover();
}

void CMyLink::EndHover()
{
    setFont(normalFont_);
    hovering_ = false;
    hoverTimer_.stop();
    Repaint();
}

void CMyLink::mousePressEvent(QMouseEvent* event)
{
    // Taken here so that a press on a link never starts a drag of the window below it.
    event->accept();
}

void CMyLink::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    Activate();
}

void CMyLink::keyPressEvent(QKeyEvent* event)
{
    // Space presses the button; Enter and Escape go on to the window (they keep their
    // meaning there).
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        event->accept();
        if (!event->isAutoRepeat())
            Activate();
        return;
    }
    QLabel::keyPressEvent(event);
}

void CMyLink::Activate()
{
    if (target_ != "none")
        platform().open(target_);
    emit clicked();
}
