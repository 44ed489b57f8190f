// Mouse, keyboard and timers of a note: dragging, rolling up and peeking, editing the
// text in place.

#include "note/Note.h"

#include "note/NoteEditor.h"
#include "note/NoteHost.h"
#include "platform/Help.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "widgets/MyStatic.h"
#include "widgets/NoteText.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>
#include <QTimerEvent>

namespace {

constexpr int kRollStripHeight = 5; // the bottom strip that rolls the note up or down
constexpr int kPeekEdge = 2;        // the cursor this close to the top starts a peek

QCursor ArrowCursor(bool up)
{
    // A solid arrow, black with a white rim so it shows on any note colour.
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath arrow;
    arrow.moveTo(7.5, 0.5);
    arrow.lineTo(14.5, 7.5);
    arrow.lineTo(10.5, 7.5);
    arrow.lineTo(10.5, 15.5);
    arrow.lineTo(4.5, 15.5);
    arrow.lineTo(4.5, 7.5);
    arrow.lineTo(0.5, 7.5);
    arrow.closeSubpath();
    if (!up)
        arrow = QTransform(1, 0, 0, -1, 0, 16).map(arrow);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::black);
    painter.drawPath(arrow);
    painter.end();
    return QCursor(pixmap, 0, 0);
}

} // namespace

QCursor CNote::RollUpCursor()
{
    static const QCursor cursor = ArrowCursor(true);
    return cursor;
}

QCursor CNote::RollDownCursor()
{
    static const QCursor cursor = ArrowCursor(false);
    return cursor;
}

void CNote::UpdateCursor()
{
    const QRect r = windowRect();
    const QRect strip(r.x(), r.y() + r.height() - kRollStripHeight, r.width(), kRollStripHeight);
    if (strip.contains(platform().cursorPos())) {
        cursor_ = record_.minimized ? CursorKind::RollDown : CursorKind::RollUp;
        setCursor(record_.minimized ? RollDownCursor() : RollUpCursor());
    } else {
        cursor_ = CursorKind::Arrow;
        setCursor(Qt::ArrowCursor);
    }
}

void CNote::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    UpdateCursor();
    if (cursor_ != CursorKind::Arrow) {
        // The note rolls away from under the cursor: the release that follows is not
        // the end of a drag.
        pressToggled_ = true;
        ToggleMinimized();
        return;
    }
    drag_.Start(event->globalPosition().toPoint(), windowRect().topLeft());
    setFocus(Qt::MouseFocusReason);
}

void CNote::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint cursor = event->globalPosition().toPoint();
    if (drag_.Active()) {
        QPoint to = drag_.To(cursor);
        if (record_.minimized)
            to.setY(windowRect().y()); // a rolled-up note only slides along the top edge
        PlaceNote(to);
        return;
    }
    UpdateCursor();
    if (record_.minimized && !peeking_ && cursor.y() <= WorkTop() + kPeekEdge) {
        peeking_ = true;
        timer4_.start(300, this);
        timer5_.start(500, this);
    }
}

void CNote::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        if (isEditing())
            editor_->setFocus(Qt::OtherFocusReason); // the menu gives it back when it closes
        noteMenu()->popup(platform().cursorPos());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (pressToggled_) {
        pressToggled_ = false;
        return;
    }
    if (cursor_ == CursorKind::Arrow) {
        record_.left = x();
        if (!record_.minimized)
            record_.top = y();
        if (brought_ && pos() != brought_->shown)
            brought_.reset(); // moved: its place is the user's from now on
        host_.noteChanged();
    }
    drag_.Finish();
}

void CNote::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    UpdateCursor();
    if (cursor_ != CursorKind::Arrow)
        return; // the first click already rolled the note away
    if (signature_->geometry().contains(event->position().toPoint()))
        RunSignatureDialog();
    else
        BeginTextEdit();
}

void CNote::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        CloseNote();
        break;
    case Qt::Key_F1:
        OpenHelp();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CNote::contextMenuEvent(QContextMenuEvent* event)
{
    // The mouse's menu opens when the right button is let go; this is the keyboard's
    // (the Menu key, Shift+F10), in the middle of the part of the note on the screen.
    if (event->reason() != QContextMenuEvent::Keyboard) {
        event->ignore();
        return;
    }
    QRect shown = rect();
    if (const QScreen* on = screen()) {
        const QRect desktop = on->geometry();
        shown &= QRect(mapFromGlobal(desktop.topLeft()), desktop.size());
    }
    noteMenu()->popup(mapToGlobal((shown.isEmpty() ? rect() : shown).center()));
}

void CNote::timerEvent(QTimerEvent* event)
{
    const int id = event->timerId();
    const QRect r = windowRect();
    if (id == timer3_.timerId()) {
        timer3_.stop();
        if (geometry().topLeft() != askedAt_)
            TakeWindowManagersPlace();
        else if (NeedsRollingBack())
            PlaceNote(QPoint(r.x(), WorkTop() + kRolledUpStrip - r.height()));
    } else if (id == timer4_.timerId()) {
        if (r.contains(platform().cursorPos()))
            PlaceNote(QPoint(r.x(), WorkTop()));
        timer4_.stop();
    } else if (id == timer5_.timerId()) {
        if (!r.contains(platform().cursorPos())) {
            peeking_ = false;
            timer5_.stop();
            KeepRolledUpSoon();
        }
    } else {
        QWidget::timerEvent(event);
    }
}

bool CNote::isEditing() const
{
    return editor_ && !editor_->isHidden();
}

std::optional<QPoint> CNote::broughtFrom() const
{
    if (brought_ && QPoint(record_.left, record_.top) == brought_->shown)
        return brought_->stored;
    return std::nullopt;
}

SNote CNote::currentRecord() const
{
    SNote record = record_;
    if (isEditing())
        record.text = NoteTextFromQt(editor_->noteText());
    return record;
}

QPlainTextEdit* CNote::editor()
{
    return EnsureEditor();
}

NoteEditor* CNote::EnsureEditor()
{
    if (!editor_) {
        editor_ = new NoteEditor(this);
        editor_->setFont(ToQFont(record_.font));
        editor_->installEventFilter(this);
        editor_->hide();
        // Typed text counts before the editor closes (setting the text runs while it
        // is hidden).
        connect(editor_, &QPlainTextEdit::textChanged, this, [this] {
            if (isEditing())
                host_.noteChanged();
        });
    }
    return editor_;
}

void CNote::BeginTextEdit()
{
    EnsureEditor();
    editor_->setGeometry(textLabel_->geometry().adjusted(-2, 0, 2, 0));
    editor_->setNoteText(NoteTextToQt(record_.text));
    editor_->show();
    activateWindow();
    editor_->setFocus(Qt::OtherFocusReason);
    editor_->selectAll();
    editor_->ensureCursorVisible();
}

void CNote::FinishTextEdit()
{
    if (isEditing())
        EndTextEdit();
}

void CNote::EndTextEdit()
{
    record_.text = NoteTextFromQt(editor_->noteText());
    editor_->hide();
    ShowText();
}

bool CNote::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == editor_) {
        if (event->type() == QEvent::FocusOut && isEditing()) {
            // The editor's own context menu borrows the focus without ending the edit;
            // so does the right click that opens the note's menu.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            const bool menuClick = reason == Qt::MouseFocusReason &&
                                   (QGuiApplication::mouseButtons() & Qt::RightButton);
            if (reason != Qt::PopupFocusReason && !menuClick)
                EndTextEdit();
        } else if (event->type() == QEvent::KeyPress &&
                   static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            return true; // Escape while typing must not close (and so delete) the note
        }
    }
    return QWidget::eventFilter(watched, event);
}
