#include "widgets/TextBoxLimit.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocumentFragment>

namespace {

class TextBoxLimit : public QObject {
public:
    explicit TextBoxLimit(QPlainTextEdit* editor) : QObject(editor), editor_(editor) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != editor_ || busy_ || !AddsText(event))
            return false;
        // Numbers, not the cursor: a cursor moves with the text put in at its place.
        const QTextCursor cursor = editor_->textCursor();
        const Caret before{cursor.anchor(), cursor.position(), cursor.selectionStart()};
        const QTextDocumentFragment replaced = cursor.selection();
        const int characters = editor_->document()->characterCount();
        // The editor takes the input here; what it made of it is judged after.
        busy_ = true;
        static_cast<QObject*>(editor_)->event(event);
        busy_ = false;
        const bool grew = !replaced.isEmpty() || editor_->document()->characterCount() > characters;
        if (grew && !Fits())
            TakeBack(before, replaced);
        return true;
    }

private:
    // Typing, a line break, a paste or an input method's text: the input that can grow
    // the text. Everything else reaches the editor (and its parents) as it came.
    static bool AddsText(QEvent* event)
    {
        if (event->type() == QEvent::InputMethod)
            return true;
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste) || key->key() == Qt::Key_Return ||
            key->key() == Qt::Key_Enter)
            return true;
        const QString text = key->text();
        return !text.isEmpty() && text.at(0).isPrint() &&
               !(key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    }

    // Whether the whole text shows in the box from its first line. Blocks are laid out
    // as they are asked for; the count stops at the bottom of the box.
    bool Fits() const
    {
        const QTextDocument* document = editor_->document();
        const qreal room = editor_->viewport()->height();
        qreal bottom = document->documentMargin();
        for (QTextBlock block = document->firstBlock(); block.isValid(); block = block.next()) {
            bottom += document->documentLayout()->blockBoundingRect(block).height();
            if (bottom > room)
                return false;
        }
        return true;
    }

    struct Caret {
        int anchor;
        int position;
        int start;
    };

    void TakeBack(const Caret& before, const QTextDocumentFragment& replaced)
    {
        // The input went in where the selection (or the caret) was and ends at the caret.
        QTextCursor added(editor_->document());
        added.setPosition(before.start);
        added.setPosition(editor_->textCursor().position(), QTextCursor::KeepAnchor);
        added.beginEditBlock();
        added.removeSelectedText();
        if (!replaced.isEmpty())
            added.insertFragment(replaced);
        added.endEditBlock();
        QTextCursor caret(editor_->document());
        caret.setPosition(before.anchor);
        caret.setPosition(before.position, QTextCursor::KeepAnchor);
        editor_->setTextCursor(caret);
    }

    QPlainTextEdit* editor_;
    bool busy_ = false;
};

} // namespace

void LimitToVisibleBox(QPlainTextEdit* editor)
{
    editor->installEventFilter(new TextBoxLimit(editor));
}
