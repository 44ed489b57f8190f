#pragma once
// The in-place editor of a note: a plain-text editor without frame or scroll bars. Its
// caret stops blinking (and stays shown) after a while without a key, as desktop
// editors do, so an editor left open costs nothing while nobody types.
//
// Every key lays out the whole paragraph it lands in again, so a very long paragraph
// (a megabyte pasted as one line) is held as several blocks of at most kBlockChars,
// the later ones marked as continuing the paragraph: a key then costs one block. The
// text goes in and out through setNoteText and noteText, which know the marks.

#include <QBasicTimer>
#include <QPlainTextEdit>

class NoteEditor : public QPlainTextEdit {
public:
    explicit NoteEditor(QWidget* parent = nullptr);
    ~NoteEditor() override;

    void setNoteText(const QString& text);
    QString noteText() const;

    static constexpr int kBlockChars = 1024;

    static constexpr int kCaretRestMs = 10000;

protected:
    bool event(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    void RestCaret();
    void WakeCaret();
    // Has the text control pick up the current flash time.
    void RestartCaret();
    // The text from position to position, continued blocks joined again.
    QString NoteTextBetween(int from, int to) const;

    bool split_ = false; // the document holds continued blocks

    QBasicTimer restTimer_;
    bool resting_ = false;
    int flashTime_ = 0; // the desktop's, while the caret rests
};
