#include "note/Note.h"

#include "note/NoteEditor.h"
#include "note/NoteHost.h"
#include "note/NoteLook.h"
#include "note/RollAnimation.h"
#include "platform/AppIcon.h"
#include "platform/DesktopWindow.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "widgets/MyStatic.h"
#include "widgets/NoteText.h"

#include <QHash>
#include <QPainter>
#include <QPlainTextEdit>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace {

constexpr int kRollSteps = RollAnimation::kSteps;
constexpr int kKeepUpDelayMs = 100; // how soon a moved rolled-up note goes back up

struct Outline {
    QRegion shape;
    QList<QRect> frame; // the window's border and the shape's edge, as few rectangles
};

// Outlines depend only on shape and size: notes of the same kind share one copy
// (regions are implicitly shared) and it is worked out once.
const Outline& SharedOutline(int shape, QSize size)
{
    static QHash<std::pair<int, std::pair<int, int>>, Outline> outlines;
    const auto key = std::make_pair(shape, std::make_pair(size.width(), size.height()));
    auto found = outlines.find(key);
    if (found == outlines.end()) {
        QRegion region = NoteRegion(shape, size);
        const QRect all(QPoint(0, 0), size);
        const QRegion border = QRegion(all) - QRegion(all.adjusted(1, 1, -1, -1));
        const QRegion frame = (RegionFrame(region) + border) & region;
        found = outlines.insert(key, {region, QList<QRect>(frame.begin(), frame.end())});
    }
    return *found;
}

} // namespace

CNote::CNote(NoteHost& host, const SNote& record, bool isNew, int slot, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), host_(host), record_(record),
      slot_(slot)
{
    // Never shown on a title bar: the title (the first line of text, see ShowText) names
    // the window for window lists and screen readers; the role tells notes apart from
    // the program's other windows.
    setWindowRole(QStringLiteral("pinleaf-note"));
    setWindowIcon(SmallAppIcon());
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Opening a note does not take the focus from what the user is doing; a note made
    // by the hot key is brought forward on purpose.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);

    caption_ = new CMyStatic(CMyStatic::Mode::WordWrap, this);
    textLabel_ = new CMyStatic(CMyStatic::Mode::WordWrap, this);
    signature_ = new CMyStatic(CMyStatic::Mode::EndEllipsis, this);

    // Opening: a random look if the record asks for one, then the creation time of a
    // new note, the categories of its menu and the whole record.
    if (record_.color >= NoteColor::RandomColor)
        record_.color = RandomLookValue(NoteColor::RandomColor);
    if (record_.shape >= NoteShape::RandomShape)
        record_.shape = RandomLookValue(NoteShape::RandomShape);
    if (isNew)
        record_.created = platform().now();
    categoryNames_ = host_.categoryList().all();
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
    ShowText();
    PlaceOnOpening(isNew);
}

void CNote::ShowText()
{
    const QString text = NoteTextToQt(record_.text);
    textLabel_->setText(text);
    setWindowTitle(NoteTitle(text));
}

void CNote::PlaceOnOpening(bool isNew)
{
    const QSize full = NoteSizePixels(record_.size);
    const int w = full.width();
    const int h = full.height();
    const int stripBottom = WorkTop() + kRolledUpStrip;
    // X keeps window positions in 16 bits; a damaged store can hold anything. Far-off
    // places stay far off, but within what the arithmetic below and the server handle.
    constexpr int kFarthest = 30000;
    brought_.reset();
    const QPoint stored(record_.left, record_.top);
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
        y = record_.minimized ? stripBottom - h : record_.top;
    } else if (record_.minimized) {
        y = stripBottom - h;
    } else {
        // Saved somewhere no screen shows any more: bring it back to the middle.
        record_.left = desktop.width() / 2 - w / 2;
        record_.top = desktop.height() / 2 - h / 2;
        x = record_.left;
        y = record_.top;
        brought_ = Brought{stored, QPoint(x, y)};
    }
    PlaceNote(QPoint(x, y));
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
    Mark(ColorMarks, color);
    Repaint();
}

void CNote::ApplySize(int size)
{
    record_.size = size;
    const QSize full = NoteSizePixels(size);
    cut_ = std::clamp(cut_, 0, full.height() - 1);
    setFixedSize(full.width(), full.height() - cut_); // keeps the top-left corner
    LayoutControls();
    ApplyShape(record_.shape);
    Mark(SizeMarks, size);
    Repaint();
}

void CNote::ApplyShape(int shape)
{
    record_.shape = shape;
    const Outline& outline = SharedOutline(shape, NoteSizePixels(record_.size));
    outline_ = outline.shape;
    outlineFrame_ = outline.frame;
    ApplyMask();
    Mark(ShapeMarks, shape);
    Repaint();
}

void CNote::ApplySignatureKind(int kind)
{
    record_.signatureKind = kind;
    QString line;
    switch (kind) {
    case SignatureKind::Category:
        line = ToQt(record_.category);
        break;
    case SignatureKind::TimeCreate:
        line = FormatCreationTime(record_.created);
        break;
    case SignatureKind::Text:
        line = ToQt(record_.signatureText);
        break;
    default: // Void, and the values this program never sets
        break;
    }
    signature_->setText(line);
    Mark(SignatureMarks, kind);
    Repaint();
}

void CNote::ApplyFont()
{
    const QFont font = ToQFont(record_.font);
    if (editor_)
        editor_->setFont(font);
    signature_->setFont(font);
    textLabel_->setFont(font);
}

void CNote::LayoutControls()
{
    const NoteLayout layout = NoteLayoutFor(NoteSizePixels(record_.size));
    const QPoint shift(0, -cut_);
    caption_->setGeometry(layout.caption.translated(shift));
    textLabel_->setGeometry(layout.text.translated(shift));
    signature_->setGeometry(layout.signature.translated(shift));
}

void CNote::ApplyMask()
{
    // The shape, moved up by the rows above the work area that the window leaves out.
    if (IsRectangular(record_.shape))
        clearMask();
    else
        setMask(cut_ ? outline_.translated(0, -cut_) : outline_);
}

QRect CNote::noteRect() const
{
    return QRect(geometry().topLeft() - QPoint(0, cut_), NoteSizePixels(record_.size));
}

int CNote::WorkTop() const
{
    return platform().workArea().top();
}

void CNote::PlaceNote(QPoint to)
{
    const QSize full = NoteSizePixels(record_.size);
    int cut = 0;
    if (record_.minimized || rolling_)
        cut = std::clamp(WorkTop() - to.y(), 0, full.height() - 1);
    if (cut != cut_) {
        cut_ = cut;
        setFixedSize(full.width(), full.height() - cut_);
        LayoutControls();
        ApplyMask();
        update();
    }
    askedAt_ = QPoint(to.x(), to.y() + cut_);
    move(askedAt_);
    // Qt asks the X server for a new size at the place it last heard of, and a roll's
    // moves outrun the window manager's answers: that place can be an earlier step's,
    // and the window would stay there. Ask for the whole rectangle.
    const QRect wanted(askedAt_, size());
    if (QWindow* window = windowHandle(); window && window->geometry() != wanted)
        window->setGeometry(wanted);
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
    painter.translate(0, -cut_);
    painter.fillRect(QRect(QPoint(0, 0), NoteSizePixels(record_.size)), fill_);
    // One call for the whole frame: the rectangles are filled exactly, pixel for pixel.
    painter.setPen(Qt::NoPen);
    painter.setBrush(frame_);
    painter.drawRects(outlineFrame_);
}

CNote::Roll CNote::BeginRoll()
{
    record_.minimized = !record_.minimized;
    const QRect r = windowRect();
    const int bottom = r.y() + r.height();
    const int stripBottom = WorkTop() + kRolledUpStrip;
    Roll roll;
    roll.left = r.x();
    roll.top = r.y();
    if (record_.minimized) {
        record_.left = roll.left; // the place to come back to
        record_.top = roll.top;
        roll.step = -((bottom - stripBottom) / kRollSteps);
        roll.endY = stripBottom - r.height();
    } else {
        roll.step = (record_.top - roll.top + bottom - stripBottom) / kRollSteps;
        roll.endY = record_.top;
    }
    rolling_ = true;
    return roll;
}

void CNote::EndRoll(const Roll& roll)
{
    rolling_ = false;
    PlaceNote(QPoint(roll.left, roll.endY));
    host_.noteChanged();
}

RollAnimation::Entry CNote::StartRoll()
{
    const Roll roll = BeginRoll();
    return {this, [this, roll](int step) { PlaceNote(roll.stepPlace(step)); },
            [this, roll] { EndRoll(roll); }};
}

void CNote::ToggleMinimized()
{
    RollAnimation::Finish(this);
    RollAnimation::Start({StartRoll()});
}

void CNote::RollTogether(const std::vector<CNote*>& notes)
{
    RollAnimation::FinishAll();
    std::vector<RollAnimation::Entry> entries;
    entries.reserve(notes.size());
    for (CNote* note : notes)
        entries.push_back(note->StartRoll());
    RollAnimation::Start(std::move(entries));
}

void CNote::KeepRolledUpSoon()
{
    if (NeedsRollingBack() && !timer3_.isActive())
        timer3_.start(kKeepUpDelayMs, this);
}

bool CNote::NeedsRollingBack() const
{
    const QRect r = windowRect();
    return record_.minimized && !peeking_ && !rolling_ && !closed_ &&
           r.y() + r.height() != WorkTop() + kRolledUpStrip && geometry().topLeft() != refusedAt_;
}

void CNote::moveEvent(QMoveEvent* event)
{
    KeepRolledUpSoon();
    // Somebody else placed the window (a window manager keeping it inside the work
    // area, another program): look again once the moves have settled.
    if (!rolling_ && !drag_.Active() && !closed_ && geometry().topLeft() != askedAt_ &&
        !timer3_.isActive())
        timer3_.start(kKeepUpDelayMs, this);
    QWidget::moveEvent(event);
}

void CNote::TakeWindowManagersPlace()
{
    const QPoint at = geometry().topLeft();
    if (rolling_ || drag_.Active() || closed_ || at == askedAt_)
        return;
    if (record_.minimized && !peeking_ && at != refusedAt_) {
        // A rolled-up note goes back up once; where the window manager keeps it a
        // second time, it stays.
        refusedAt_ = at;
        const QRect r = windowRect();
        PlaceNote(QPoint(r.x(), WorkTop() + kRolledUpStrip - r.height()));
        return;
    }
    // What is stored is where the note is: a rolled-up note keeps the place it comes
    // back to.
    askedAt_ = at;
    record_.left = at.x();
    if (!record_.minimized)
        record_.top = at.y();
}

void CNote::showEvent(QShowEvent* event)
{
    KeepOffTaskbar(this);
    QWidget::showEvent(event);
}

void CNote::resizeEvent(QResizeEvent* event)
{
    KeepRolledUpSoon();
    QWidget::resizeEvent(event);
}

void CNote::CloseNote()
{
    if (closed_)
        return;
    closed_ = true;
    RollAnimation::Finish(this);
    timer3_.stop();
    timer4_.stop();
    timer5_.stop();
    host_.noteClosed(slot_);
    hide();
    deleteLater();
}
