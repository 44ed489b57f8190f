#pragma once
// CMyStatic: a text label with its own text colour and a solid background. It lets the
// mouse through to its window, so a note can be dragged and double-clicked by its labels.

#include <QColor>
#include <QString>
#include <QWidget>

class QPainter;

class CMyStatic : public QWidget {
    Q_OBJECT
public:
    enum class Mode {
        WordWrap,   // wraps at word boundaries, clips at the bottom, & marks a mnemonic
        EndEllipsis // one line, ending in "…" when too long
    };

    explicit CMyStatic(Mode mode = Mode::WordWrap, QWidget* parent = nullptr);

    void setText(const QString& text);
    const QString& text() const { return text_; }

    // A label paints every pixel of its own (so a repaint of its window passes it by):
    // it schedules its own repaint whenever its colours, text or font change.
    void SetTextColor(const QColor& color);
    void SetBackColor(const QColor& color);
    QColor textColor() const { return textColor_; }
    QColor backColor() const { return backColor_; }

    // The text as it fits into the label now (elided in EndEllipsis mode).
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    static void DrawWrapped(QPainter& painter, const QRect& area, const QString& marked);

    Mode mode_;
    QString text_;
    QString painted_; // text_ as painted (see WrappedLabelText)
    QColor textColor_{0, 0, 0};
    QColor backColor_{220, 180, 150};
};
