#include "note/NoteEditor.h"

#include "widgets/TextBoxLimit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTimerEvent>

#include <vector>

namespace {

// The user state of a block that continues the paragraph of the block before it.
constexpr int kContinued = 1;
constexpr int kLookBackForBlank = 256; // a block rather ends after a blank

// Cuts the paragraphs longer than the limit into pieces; flags say which piece
// continues the one before.
QString SplitLongParagraphs(const QString& text, int limit, std::vector<bool>& continued)
{
    QString out;
    out.reserve(text.size() + text.size() / limit + 1);
    qsizetype start = 0;
    bool first = true;
    while (true) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        const bool last = end < 0;
        if (last)
            end = text.size();
        qsizetype from = start;
        bool continuing = false;
        while (end - from > limit) {
            qsizetype cut = from + limit;
            for (qsizetype k = cut - 1; k > cut - kLookBackForBlank && k > from; --k)
                if (text[k] == QLatin1Char(' ') || text[k] == QLatin1Char('\t')) {
                    cut = k + 1;
                    break;
                }
            if (text[cut - 1].isHighSurrogate())
                --cut;
            if (!first)
                out += QLatin1Char('\n');
            out += QStringView(text).mid(from, cut - from);
            continued.push_back(continuing);
            first = false;
            continuing = true;
            from = cut;
        }
        if (!first)
            out += QLatin1Char('\n');
        out += QStringView(text).mid(from, end - from);
        continued.push_back(continuing);
        first = false;
        if (last)
            break;
        start = end + 1;
    }
    return out;
}

bool HasLongParagraph(const QString& text, int limit)
{
    qsizetype start = 0;
    while (true) {
        const qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if ((end < 0 ? text.size() : end) - start > limit)
            return true;
        if (end < 0)
            return false;
        start = end + 1;
    }
}

} // namespace

NoteEditor::NoteEditor(QWidget* parent) : QPlainTextEdit(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    document()->setDocumentMargin(1);
    LimitToVisibleBox(this);
}

void NoteEditor::setNoteText(const QString& text)
{
    split_ = HasLongParagraph(text, kBlockChars);
    if (!split_) {
        setPlainText(text);
        return;
    }
    std::vector<bool> continued;
    setPlainText(SplitLongParagraphs(text, kBlockChars, continued));
    QTextBlock block = document()->firstBlock();
    for (std::size_t i = 0; i < continued.size() && block.isValid(); ++i, block = block.next())
        block.setUserState(continued[i] ? kContinued : -1);
}

QString NoteEditor::noteText() const
{
    if (!split_)
        return toPlainText();
    return NoteTextBetween(0, document()->characterCount() - 1);
}

QString NoteEditor::NoteTextBetween(int from, int to) const
{
    QString text;
    bool first = true;
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (!first && block.userState() != kContinued)
            text += QLatin1Char('\n');
        first = false;
        const int start = std::max(from, block.position());
        const int end = std::min(to, block.position() + block.length() - 1);
        if (end > start)
            text += block.text().mid(start - block.position(), end - start);
    }
    // As toPlainText gives them.
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QChar::Nbsp, QLatin1Char(' '));
    return text;
}

void NoteEditor::keyPressEvent(QKeyEvent* event)
{
    // Backspace at the start of a continued block (or Delete at the end of the block
    // before one) takes a character, as in one long paragraph, not the invisible seam.
    QTextCursor cursor = textCursor();
    if (split_ && !cursor.hasSelection() &&
        (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) &&
        event->modifiers() == Qt::NoModifier) {
        const QTextBlock block = cursor.block();
        const bool back = event->key() == Qt::Key_Backspace;
        const bool atSeam = back ? cursor.atBlockStart() && block.userState() == kContinued
                                 : cursor.atBlockEnd() && block.next().isValid() &&
                                       block.next().userState() == kContinued;
        if (atSeam) {
            cursor.beginEditBlock();
            if (back) {
                cursor.deletePreviousChar(); // the seam
                cursor.deletePreviousChar();
            } else {
                cursor.deleteChar();
                cursor.deleteChar();
            }
            cursor.endEditBlock();
            setTextCursor(cursor);
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

QMimeData* NoteEditor::createMimeDataFromSelection() const
{
    if (!split_)
        return QPlainTextEdit::createMimeDataFromSelection();
    const QTextCursor cursor = textCursor();
    auto* data = new QMimeData;
    data->setText(NoteTextBetween(cursor.selectionStart(), cursor.selectionEnd()));
    return data;
}

NoteEditor::~NoteEditor()
{
    if (resting_)
        QApplication::setCursorFlashTime(flashTime_);
}

bool NoteEditor::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
        WakeCaret();
        break;
    case QEvent::FocusIn:
        if (!resting_)
            restTimer_.start(kCaretRestMs, this);
        break;
    case QEvent::FocusOut:
    case QEvent::Hide:
        // Another widget's caret must blink as the desktop wants it.
        restTimer_.stop();
        if (resting_) {
            resting_ = false;
            QApplication::setCursorFlashTime(flashTime_);
        }
        break;
    default:
        break;
    }
    return QPlainTextEdit::event(event);
}

void NoteEditor::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == restTimer_.timerId()) {
        restTimer_.stop();
        RestCaret();
        return;
    }
    QPlainTextEdit::timerEvent(event);
}

void NoteEditor::RestCaret()
{
    if (resting_ || !hasFocus() || QApplication::cursorFlashTime() <= 0)
        return;
    // The flash time is the application's; only the focused editor blinks, and this
    // one gives it back as soon as it wakes or loses the focus.
    flashTime_ = QApplication::cursorFlashTime();
    resting_ = true;
    QApplication::setCursorFlashTime(0);
    RestartCaret();
}

void NoteEditor::WakeCaret()
{
    if (resting_) {
        resting_ = false;
        QApplication::setCursorFlashTime(flashTime_);
        RestartCaret();
    }
    if (hasFocus())
        restTimer_.start(kCaretRestMs, this);
}

void NoteEditor::RestartCaret()
{
    // The text control reads the flash time when it gains the focus.
    QFocusEvent focus(QEvent::FocusIn, Qt::OtherFocusReason);
    QPlainTextEdit::focusInEvent(&focus);
}
