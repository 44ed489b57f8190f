#pragma once
// CMyLink: a clickable label drawn as a coloured button in the panel's outline, with
// hover colours and font, an optional hand cursor, tooltip and a target opened on click.

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

signals:
    void clicked();
};
