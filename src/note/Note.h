#pragma once
// CNote: one sticky note on the desktop. A frameless window showing a caption strip,
// the note text and a bottom line; it can be dragged, rolled up under the top edge of the
// screen and peeked at, edited in place and restyled from its own menu. It keeps its own
// copy of the record; the panel reads that copy when it saves.
//
// Where the note is and what its window covers can differ: a note rolled up (or on its
// way) reaches above the top of the work area, and no window manager keeps a window
// there. The window then covers only the part at or below the work area's top and shows
// that part of the note; noteRect() is the whole note, as if the screen went on above.

#include "model/SNote.h"
#include "note/NoteCommand.h"
#include "note/RollAnimation.h"
#include "platform/WindowDrag.h"

#include <QBasicTimer>
#include <QCursor>
#include <QPoint>
#include <QRegion>
#include <QWidget>

#include <climits>
#include <optional>
#include <string>
#include <vector>

class CMyStatic;
class NoteEditor;
class NoteHost;
class QMenu;
class QPlainTextEdit;

class CNote : public QWidget {
    Q_OBJECT
public:
    // Runs the opening sequence (random look, creation time for a new note, menu, look,
    // position) and shows the window. slot is the note's index among the open notes.
    CNote(NoteHost& host, const SNote& record, bool isNew, int slot, QWidget* parent = nullptr);
    ~CNote() override;

    const SNote& record() const { return record_; }
    int slot() const { return slot_; }
    // The panel renumbers its notes when a merge reorders them.
    void setSlot(int slot) { slot_ = slot; }

    // Rolls the note up under the top edge of the screen, or back down: the record
    // changes at once, the window follows in a timer-driven animation.
    void ToggleMinimized();
    // Rolls all of these notes together in one animation: the same steps and end places
    // as one ToggleMinimized each.
    static void RollTogether(const std::vector<CNote*>& notes);
    // Leaves the note's slot empty in the panel and closes the window.
    void CloseNote();
    // Refills the category submenu from the panel's categories (no mark afterwards).
    void RebuildCategoryMenu();

    void ApplyRecord(const SNote& record, bool isNew);
    void ApplyColor(int color);
    void ApplySize(int size);
    void ApplyShape(int shape);
    void ApplySignatureKind(int kind);
    void ApplyFont();
    void BeginTextEdit();
    // Takes the text being typed, if any, into the record and closes the editor.
    void FinishTextEdit();
    void BuildNoteMenu();
    // Every command of the note menu ends here.
    void OnCommand(NoteCommand id);

    // The menu and the editor are made when first asked for: most notes never need them.
    QMenu* noteMenu();
    QPlainTextEdit* editor();
    CMyStatic* captionLabel() const { return caption_; }
    CMyStatic* textLabel() const { return textLabel_; }
    CMyStatic* signatureLabel() const { return signature_; }
    bool isEditing() const;
    // The record with the text as typed so far when the editor is open.
    SNote currentRecord() const;
    // Where the stores had the note when it was brought from there onto this machine's
    // screen, as long as it stays where it was brought.
    std::optional<QPoint> broughtFrom() const;
    // The window's visible area; empty for a rectangular note.
    QRegion visibleRegion() const;
    // Where the whole note is on the screen (see above), and its full size.
    QRect noteRect() const;

    // The two roll cursors (arrows with their hot spot at the top-left corner).
    static QCursor RollUpCursor();
    static QCursor RollDownCursor();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int kRolledUpStrip = 20; // what stays visible of a rolled-up note
    enum class CursorKind { Arrow, RollUp, RollDown };
    // The radio groups of the note menu whose marks follow the record.
    enum MarkGroup { SizeMarks, ShapeMarks, ColorMarks, SignatureMarks, MarkGroupCount };

    // One roll: where it starts, how far each of its 30 steps goes, and where it ends.
    struct Roll {
        int left = 0;
        int top = 0;
        int step = 0;
        int endY = 0;
        QPoint stepPlace(int k) const { return {left, top + k * step}; }
    };
    // Flips the state and works out the roll (the record keeps where to come back to).
    Roll BeginRoll();
    void EndRoll(const Roll& roll);
    // Begins a roll and hands its steps to the animation.
    RollAnimation::Entry StartRoll();

    // Puts the note's top-left corner at to, cutting the window at the work area's top
    // while the note is rolled up or rolling.
    void PlaceNote(QPoint to);
    // The top of the work area, where a rolled-up note's strip hangs.
    int WorkTop() const;
    // A window manager put the window somewhere else than asked: believe it.
    void TakeWindowManagersPlace();
    void LayoutControls();
    void ApplyMask();
    void Repaint();
    void PlaceOnOpening(bool isNew);
    void UpdateCursor();
    void EndTextEdit();
    // Shows record_.text in the label and names the window after it.
    void ShowText();
    void RunSignatureDialog();
    void ChooseFont();
    void SaveAsTemplate();
    void SelectCategory(int index);
    void MarkCategory();
    void ChooseRandomColor();
    void ChooseRandomShape();
    void BuildMenuMarks();
    void Mark(MarkGroup group, long long value);
    void MarkCategoryItem(int index);
    NoteEditor* EnsureEditor();
    // A rolled-up note that something moved (or resized) goes back up a moment later.
    void KeepRolledUpSoon();
    bool NeedsRollingBack() const;
    QRect windowRect() const { return noteRect(); }

    NoteHost& host_;
    SNote record_;
    int slot_;
    bool closed_ = false;

    CMyStatic* caption_;
    CMyStatic* textLabel_;
    CMyStatic* signature_;
    NoteEditor* editor_ = nullptr;

    QColor fill_;
    QColor frame_;
    QRegion outline_;           // the shape, in window coordinates
    QList<QRect> outlineFrame_; // its edge pixels, painted in the frame colour

    bool peeking_ = false;
    bool pressToggled_ = false;
    bool rolling_ = false; // an animation moves the note: leave it alone
    int cut_ = 0;          // rows of the note above the work area, not in the window
    QPoint askedAt_;       // where the window was last put
    // A note stored where no screen of this machine shows is shown in the middle, and
    // its stored place kept (broughtFrom) until it moves from there.
    struct Brought {
        QPoint stored, shown;
    };
    std::optional<Brought> brought_;
    QPoint refusedAt_{INT_MIN, INT_MIN}; // where a window manager last kept it instead
    WindowDrag drag_;
    CursorKind cursor_ = CursorKind::Arrow;

    QMenu* noteMenu_ = nullptr;
    QMenu* categoryMenu_ = nullptr;
    std::vector<std::string> categoryNames_;
    // Kept while the menu does not exist yet: for each group the last command marked
    // and the last value asked for (replayed in this order, so the menu ends up as if
    // it had been there all along), and the marked category (-1: none).
    int marks_[MarkGroupCount] = {};
    std::optional<long long> lastValues_[MarkGroupCount];
    int categoryMark_ = -1;

    QBasicTimer timer3_;      // one-shot: puts a moved rolled-up note back up
    QBasicTimer timer4_;      // peek: drops the note into view
    QBasicTimer timer5_;      // peek: ends it once the cursor has left
    QBasicTimer settleTimer_; // one-shot: once moves settle, looks where the window is
};
