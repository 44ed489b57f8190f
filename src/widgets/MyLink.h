#pragma once
// CMyLink: a clickable label drawn as a coloured button in the panel's outline, with
// hover colours and font, an optional hand cursor, tooltip and a target opened on click.

#include "model/SNote.h"

#include <QBasicTimer>
#include <QColor>
#include <QFont>
#include <QLabel>

#include <string>

class CMyLink : public QLabel {
    Q_OBJECT
public:
    explicit CMyLink(const QString& text = {}, QWidget* parent = nullptr);

    // 0..4: the panel's colour schemes, 5: the web-link style, others: like 0 with a
    // pale yellow hover fill.
    void SetStyle(int index);
    void SetColors(const QColor& text, const QColor& back);
    void SetTip(const QString& tip);
    // "none" opens nothing.
    void SetTarget(const std::string& target);

    // Every link draws itself in the panel's current outline style (0..3).
    static void SetPanelStyle(int style);
    static int PanelStyle();

    // What a click does: opens the target and reports clicked(). Space does the same.
    void Activate();

signals:
    void clicked();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void SetColorsAll(const QColor& normalText, const QColor& hoverText, const QColor& normalFill,
                      const QColor& hoverFill, const QColor& normalPen, const QColor& hoverPen);
    void BuildFonts();
    void EndHover();
    void Repaint();

    static constexpr int kHoverPeriodMs = 100;

    QColor normalText_{50, 50, 50};
    QColor hoverText_{50, 50, 50};
    QColor normalFill_{250, 250, 250};
    QColor hoverFill_{250, 250, 250};
    QColor normalPen_{150, 150, 150};
    QColor hoverPen_{150, 150, 150};
    LogFont normalFontDescription_;
    QFont normalFont_;
    QFont hoverFont_;
    std::string target_ = "none";
    bool relayTips_ = false;
    bool handCursor_ = false;
    bool hoverFontSwitching_ = true;
    bool hovering_ = false;
    int corner_ = 5;
    int shape_ = 0;
    QBasicTimer hoverTimer_;
};
