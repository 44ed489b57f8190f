#include "note/Note.h"

#include "note/MyStatic.h"
#include "note/NoteHost.h"
#include "note/NoteLook.h"
#include "note/NoteText.h"
#include "platform/Menus.h"
#include "platform/Platform.h"
#include "platform/Text.h"

#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QThread>

#include <algorithm>

namespace {

constexpr int kRollSteps = 30;
constexpr int kRolledUpStrip = 20;     // what stays visible of a rolled-up note
constexpr int kRollStepPauseUs = 4000; // lets the eye follow the roll

} // namespace

CNote::CNote(NoteHost& host, const SNote& record, bool isNew, int slot, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), host_(host), record_(record), slot_(slot)
{
    // Never shown on a title bar; it names the window for window lists and tools.
    setWindowTitle(QStringLiteral("Pinleaf note"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);

    caption_ = new CMyStatic(CMyStatic::Mode::WordWrap, this);
    textLabel_ = new CMyStatic(CMyStatic::Mode::WordWrap, this);
    signature_ = new CMyStatic(CMyStatic::Mode::EndEllipsis, this);
    editor_ = new QPlainTextEdit(this);
    editor_->setFrameShape(QFrame::NoFrame);
    editor_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    editor_->document()->setDocumentMargin(1);
    editor_->installEventFilter(this);
    editor_->hide();
    // Typed text counts before the editor closes (setPlainText runs while it is hidden).
    connect(editor_, &QPlainTextEdit::textChanged, this, [this] {
        if (isEditing())
            host_.noteChanged();
    });

    // Opening: a random look if the record asks for one, then the creation time of a
    // new note, the menu and the whole record.
    if (record_.color >= RandomColor)
        record_.color = RandomLookValue(10);
    if (record_.shape >= RandomShape)
        record_.shape = RandomLookValue(7);
    if (isNew)
        record_.created = platform().now();
    BuildNoteMenu();
    ApplyRecord(record_, isNew);
    peeking_ = false;
    show();
}

CNote::~CNote() = default;

void CNote::ApplyRecord(const SNote& record, bool isNew)
{
    record_ = record;
    ApplyColor(record_.color);
    ApplySize(record_.size);
    ApplyShape(record_.shape);
    ApplySignatureKind(record_.signatureKind);
    MarkCategory();
    ApplyFont();
    textLabel_->setText(NoteTextToQt(record_.text));
    PlaceOnOpening(isNew);
}

void CNote::PlaceOnOpening(bool isNew)
{
    const int w = width();
    const int h = height();
    // X keeps window positions in 16 bits; a damaged store can hold anything. Far-off
    // places stay far off, but within what the arithmetic below and the server handle.
    constexpr int kFarthest = 30000;
    record_.left = std::clamp(record_.left, -kFarthest, kFarthest);
    record_.top = std::clamp(record_.top, -kFarthest, kFarthest);
    int x = record_.left;
    int y = record_.top;
    const QRect desktop = platform().desktopRect();
    if (isNew) {
        const QPoint cursor = platform().cursorPos();
        x = cursor.x() - w / 2;
        y = cursor.y() - h / 2;
        record_.left = x;
        record_.top = y;
        record_.created = platform().now();
        record_.minimized = false;
    } else if (desktop.contains(QPoint(record_.left, record_.top))) {
        y = record_.minimized ? kRolledUpStrip - h : record_.top;
    } else if (record_.minimized) {
        y = kRolledUpStrip - h;
    } else {
        // Saved somewhere no screen shows any more: bring it back to the middle.
        record_.left = desktop.width() / 2 - w / 2;
        record_.top = desktop.height() / 2 - h / 2;
        x = record_.left;
        y = record_.top;
    }
    move(x, y);
    SetTimer3(record_.minimized);
}

void CNote::ApplyColor(int color)
{
    record_.color = color;
    const NotePalette palette = NoteColors(color);
    fill_ = palette.fill;
    frame_ = palette.frame;
    caption_->SetBackColor(frame_);
    caption_->SetTextColor(QColor(0, 0, 0));
    textLabel_->SetBackColor(fill_);
    textLabel_->SetTextColor(QColor(0, 0, 0));
    signature_->SetBackColor(fill_);
    signature_->SetTextColor(frame_);
    CheckRadioValue(noteMenu_, 40, 49, color);
    Repaint();
}

void CNote::ApplySize(int size)
{
    record_.size = size;
    setFixedSize(NoteSizePixels(size)); // keeps the top-left corner
    LayoutControls();
    ApplyShape(record_.shape);
    CheckRadioValue(noteMenu_, 10, 15, size);
    Repaint();
}

void CNote::ApplyShape(int shape)
{
    record_.shape = shape;
    outline_ = NoteRegion(shape, size());
    outlineFrame_ = RegionFrame(outline_);
    if (IsRectangular(shape))
        clearMask();
    else
        setMask(outline_);
    CheckRadioValue(noteMenu_, 20, 29, shape);
    Repaint();
}

void CNote::ApplySignatureKind(int kind)
{
    record_.signatureKind = kind;
    QString line;
    switch (kind) {
    case Category:
        line = ToQt(record_.category);
        break;
    case TimeCreate:
        line = FormatCreationTime(record_.created);
        break;
    case Text:
        line = ToQt(record_.signatureText);
        break;
    default: // Void, and the values this program never sets
        break;
    }
    signature_->setText(line);
    CheckRadioValue(noteMenu_, 100, 104, kind);
    Repaint();
}

void CNote::ApplyFont()
{
    const QFont font = ToQFont(record_.font);
    editor_->setFont(font);
    signature_->setFont(font);
    textLabel_->setFont(font);
}

void CNote::LayoutControls()
{
    const NoteLayout layout = NoteLayoutFor(size());
    caption_->setGeometry(layout.caption);
    textLabel_->setGeometry(layout.text);
    signature_->setGeometry(layout.signature);
}

QRegion CNote::visibleRegion() const
{
    return mask();
}

void CNote::Repaint()
{
    if (isVisible())
        repaint();
}

void CNote::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), fill_);
    painter.setPen(frame_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    for (const QRect& r : outlineFrame_)
        painter.fillRect(r, frame_);
}

void CNote::ToggleMinimized()
{
    record_.minimized = !record_.minimized;
    const QRect r = windowRect();
    const int left = r.x();
    const int top = r.y();
    const int bottom = r.y() + r.height();
    const int h = r.height();
    const int upStep = (bottom - kRolledUpStrip) / kRollSteps;
    const int downStep = (record_.top - top + bottom - kRolledUpStrip) / kRollSteps;
    for (int k = 0; k < kRollSteps; ++k) {
        if (record_.minimized) {
            record_.left = left;
            record_.top = top;
            move(left, top - k * upStep);
        } else {
            move(left, top + k * downStep);
        }
        Repaint();
        if (isVisible())
            QThread::usleep(kRollStepPauseUs);
    }
    move(left, record_.minimized ? kRolledUpStrip - h : record_.top);
    SetTimer3(record_.minimized);
    host_.noteChanged();
}

void CNote::SetTimer3(bool running)
{
    // Only a rolled-up note has anything to keep in place.
    if (running && !timer3_.isActive())
        timer3_.start(100, this);
    else if (!running)
        timer3_.stop();
}

void CNote::CloseNote()
{
    if (closed_)
        return;
    closed_ = true;
    timer3_.stop();
    timer4_.stop();
    timer5_.stop();
    host_.noteClosed(slot_);
    hide();
    deleteLater();
}
