#pragma once
// CNote: one sticky note on the desktop. A frameless tool window showing a caption strip,
// the note text and a bottom line; it can be dragged, rolled up under the top edge of the
// screen and peeked at, edited in place and restyled from its own menu. It keeps its own
// copy of the record; the panel reads that copy when it saves.

#include "model/SNote.h"

#include <QBasicTimer>
#include <QCursor>
#include <QPoint>
#include <QRegion>
#include <QWidget>

#include <string>
#include <vector>

class CMyStatic;
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

    // Rolls the note up under the top edge of the screen, or back down.
    void ToggleMinimized();
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
    void OnCommand(int id);

    QMenu* noteMenu() const { return noteMenu_; }
    CMyStatic* captionLabel() const { return caption_; }
    CMyStatic* textLabel() const { return textLabel_; }
    CMyStatic* signatureLabel() const { return signature_; }
    QPlainTextEdit* editor() const { return editor_; }
    bool isEditing() const;
    // The window's visible area; empty for a rectangular note.
    QRegion visibleRegion() const;

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
    void timerEvent(QTimerEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class CursorKind { Arrow, RollUp, RollDown };

    void LayoutControls();
    void Repaint();
    void PlaceOnOpening(bool isNew);
    void UpdateCursor();
    void EndTextEdit();
    void RunSignatureDialog();
    void ChooseFont();
    void SaveAsTemplate();
    void SelectCategory(int index);
    void MarkCategory();
    void ChooseRandomColor();
    void ChooseRandomShape();
    void SetTimer3(bool running);
    QRect windowRect() const { return geometry(); }

    NoteHost& host_;
    SNote record_;
    int slot_;
    bool closed_ = false;

    CMyStatic* caption_;
    CMyStatic* textLabel_;
    CMyStatic* signature_;
    QPlainTextEdit* editor_;

    QColor fill_;
    QColor frame_;
    QRegion outline_;      // the shape, in window coordinates
    QRegion outlineFrame_; // its edge pixels, painted in the frame colour

    bool dragging_ = false;
    bool peeking_ = false;
    bool pressToggled_ = false;
    QPoint dragOffset_;
    CursorKind cursor_ = CursorKind::Arrow;

    QMenu* noteMenu_ = nullptr;
    QMenu* categoryMenu_ = nullptr;
    std::vector<std::string> categoryNames_;

    QBasicTimer timer3_; // keeps a rolled-up note rolled up
    QBasicTimer timer4_; // peek: drops the note into view
    QBasicTimer timer5_; // peek: ends it once the cursor has left
};
