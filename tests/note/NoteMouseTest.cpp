#include "note/NoteTestSupport.h"

#include "widgets/Menus.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

namespace {

// Waits for the note's top edge to reach end, noting every top it had on the way
// (the first is where it is now).
std::vector<int> TopsUntil(CNote* note, int end)
{
    std::vector<int> tops{note->noteRect().y()};
    // The caller judges the tops, the last one included.
    (void)QTest::qWaitFor(
        [&] {
            const int y = note->noteRect().y();
            if (y != tops.back())
                tops.push_back(y);
            return y == end;
        },
        5000);
    return tops;
}

// Whether every top seen is one of the 30 steps from from by step, or the end, in
// order, starting at the first step and ending at the end.
bool RollsInSteps(const std::vector<int>& tops, int from, int step, int end)
{
    if (tops.empty() || tops.front() != from || tops.back() != end)
        return false;
    int k = 0;
    for (int top : tops) {
        while (k < 30 && from + k * step != top)
            ++k;
        if (k == 30 && top != end)
            return false;
    }
    return true;
}

TEST_F(NoteTest, BottomStripRollsTheNoteUpInThirtyStepsAndBackDown)
{
    CNote* note = Open(SavedNote()); // 120 x 140 at (100, 300)
    MoveTo(note, {60, 137});
    EXPECT_EQ(note->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(note->cursor().pixmap().toImage(), CNote::RollUpCursor().pixmap().toImage());
    EXPECT_EQ(CNote::RollUpCursor().hotSpot(), QPoint(0, 0));
    Press(note, {60, 137});
    EXPECT_TRUE(note->record().minimized); // at once; the window follows step by step
    const std::vector<int> up = TopsUntil(note, -120);
    EXPECT_TRUE(RollsInSteps(up, 300, -14, -120)) << ::testing::PrintToString(up);
    EXPECT_EQ(note->noteRect(), QRect(100, -120, 120, 140));
    EXPECT_EQ(note->geometry(), QRect(100, 0, 120, 20)); // the strip alone has a window
    EXPECT_EQ(note->record().left, 100);
    EXPECT_EQ(note->record().top, 300);

    // The release that follows stores nothing.
    Release(note, {60, 137});
    EXPECT_EQ(note->record().top, 300);

    // The strip, now at the top of the screen, shows the roll-down arrow and rolls back.
    MoveTo(note, {60, 17});
    EXPECT_EQ(note->cursor().pixmap().toImage(), CNote::RollDownCursor().pixmap().toImage());
    EXPECT_NE(CNote::RollDownCursor().pixmap().toImage(), CNote::RollUpCursor().pixmap().toImage());
    Press(note, {60, 17});
    Release(note, {60, 17});
    const std::vector<int> down = TopsUntil(note, 300);
    EXPECT_TRUE(RollsInSteps(down, -120, 14, 300)) << ::testing::PrintToString(down);
    EXPECT_EQ(note->geometry(), QRect(100, 300, 120, 140));
    EXPECT_FALSE(note->record().minimized);

    // Elsewhere the pointer is the plain arrow.
    MoveTo(note, {60, 60});
    EXPECT_EQ(note->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(NoteTest, DraggingMovesTheNoteAndStoresItsPlaceOnRelease)
{
    CNote* note = Open(SavedNote());
    Press(note, {30, 40});
    fake.cursor += QPoint(55, -70);
    QTest::mouseMove(note, {85, -30});
    EXPECT_EQ(note->pos(), QPoint(155, 230));
    EXPECT_EQ(note->record().left, 100); // not yet
    QTest::mouseRelease(note, Qt::LeftButton, {}, {30, 40});
    EXPECT_EQ(note->record().left, 155);
    EXPECT_EQ(note->record().top, 230);
}

TEST_F(NoteTest, APlaceBroughtOntoASmallerScreenIsStoredOnlyOnceTheNoteMoves)
{
    // Stored by a machine with a larger screen: shown in the middle of this one.
    SNote wide = SavedNote();
    wide.left = 1700;
    wide.top = 1100;
    CNote* note = Open(wide);
    const QPoint middle = note->pos();
    EXPECT_TRUE(fake.desktop.contains(QRect(middle, note->size()))) << middle.x();
    EXPECT_EQ(note->broughtFrom(), QPoint(1700, 1100));
    // A click is no move; a drag is.
    Press(note, {30, 40});
    QTest::mouseRelease(note, Qt::LeftButton, {}, {30, 40});
    EXPECT_EQ(note->broughtFrom(), QPoint(1700, 1100));
    Press(note, {30, 40});
    fake.cursor += QPoint(20, 10);
    QTest::mouseMove(note, {50, 50});
    QTest::mouseRelease(note, Qt::LeftButton, {}, {50, 50});
    EXPECT_EQ(note->broughtFrom(), std::nullopt);
    EXPECT_EQ(note->currentRecord().left, middle.x() + 20);
    EXPECT_EQ(note->currentRecord().top, middle.y() + 10);
}

TEST_F(NoteTest, RolledUpNoteOnlySlidesSideways)
{
    SNote record = SavedNote();
    record.minimized = true;
    CNote* note = Open(record);
    ASSERT_EQ(note->noteRect().topLeft(), QPoint(100, -120));
    Press(note, {30, 10});
    fake.cursor += QPoint(200, 300);
    QTest::mouseMove(note, {230, 310});
    EXPECT_EQ(note->noteRect().topLeft(), QPoint(300, -120));
    QTest::mouseRelease(note, Qt::LeftButton, {}, {230, 310});
    EXPECT_EQ(note->record().left, 300);
    EXPECT_EQ(note->record().top, 300); // still where it unrolls to
    // Unrolling keeps the new left edge.
    note->ToggleMinimized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return note->pos() == QPoint(300, 300); }, 5000));
}

TEST_F(NoteTest, PeekStartsAtTheTopTwoPixelsAndEnds)
{
    SNote record = SavedNote();
    record.minimized = true;
    CNote* note = Open(record); // spans y -120 .. 19

    // At screen y 3 nothing happens.
    fake.cursor = QPoint(150, 3);
    QTest::mouseMove(note, note->mapFromGlobal(fake.cursor));
    QTest::qWait(800);
    EXPECT_EQ(note->noteRect().y(), -120);

    // At y 2 the whole note drops into view while the pointer stays on it...
    fake.cursor = QPoint(150, 2);
    QTest::mouseMove(note, note->mapFromGlobal(fake.cursor));
    EXPECT_TRUE(QTest::qWaitFor([&] { return note->y() == 0; }, 5000));
    fake.cursor = QPoint(150, 100);
    QTest::qWait(700);
    EXPECT_EQ(note->y(), 0); // still on the note
    // ...and is pulled back up once it has left.
    fake.cursor = QPoint(600, 600);
    EXPECT_TRUE(QTest::qWaitFor([&] { return note->noteRect().y() == -120; }, 5000));
    EXPECT_EQ(note->geometry(), QRect(100, 0, 120, 20));
    EXPECT_TRUE(note->record().minimized);
}

TEST_F(NoteTest, RolledUpNoteIsKeptUpButARestoredOneIsLeftAlone)
{
    SNote record = SavedNote();
    record.minimized = true;
    CNote* rolled = Open(record);
    rolled->move(100, 50);
    EXPECT_TRUE(QTest::qWaitFor([&] { return rolled->noteRect().y() == -120; }, 5000));
    EXPECT_EQ(rolled->geometry(), QRect(100, 0, 120, 20));

    rolled->ToggleMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return rolled->y() == 300; }, 5000));
    rolled->move(100, 50);
    QTest::qWait(400); // time for a wrong pull up: this checks that none comes
    EXPECT_EQ(rolled->y(), 50);
}

TEST_F(NoteTest, DoubleClickEditsTheTextInPlace)
{
    SNote record = SavedNote();
    record.text = "first\r\nsecond";
    CNote* note = Open(record);
    note->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(note));
    PointAt(note, {50, 50});
    QTest::mouseDClick(note, Qt::LeftButton, {}, {50, 50});
    ASSERT_TRUE(note->isEditing());
    QPlainTextEdit* editor = note->editor();
    EXPECT_EQ(editor->geometry(), QRect(6, 23, 108, 94));
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("first\nsecond"));
    EXPECT_EQ(editor->textCursor().selectedText().size(), 12); // all selected

    QTest::keyClicks(editor, "new");
    QTest::keyClick(editor, Qt::Key_Return); // a line break, not the end of the note
    QTest::keyClicks(editor, "line");
    QTest::keyClick(editor, Qt::Key_Escape); // does not close the note
    ASSERT_TRUE(host.notes.get(0));
    EXPECT_TRUE(note->isEditing());

    editor->clearFocus();
    EXPECT_FALSE(note->isEditing());
    EXPECT_EQ(note->record().text, "new\r\nline");
    EXPECT_EQ(note->textLabel()->text(), QStringLiteral("new\nline"));
}

TEST_F(NoteTest, DoubleClickOnTheSignatureLineRunsTheSignatureDialog)
{
    CNote* note = Open(SavedNote());
    fake.dialogHandler = [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>()->setText(QStringLiteral("Max"));
        return int(QDialog::Accepted);
    };
    PointAt(note, {50, 125});
    QTest::mouseDClick(note, Qt::LeftButton, {}, {50, 125});
    ASSERT_EQ(fake.dialogsRun.size(), 1u);
    EXPECT_EQ(fake.dialogsRun[0], QStringLiteral("Text of signature"));
    EXPECT_FALSE(note->isEditing());
    EXPECT_EQ(note->signatureLabel()->text(), QStringLiteral("Max"));
    EXPECT_EQ(note->record().signatureKind, SignatureKind::Text);
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::SignatureCategory, NoteCommand::SignatureText),
              Commands{NoteCommand::SignatureText});

    fake.dialogHandler = nullptr; // cancelled: nothing changes
    note->ApplySignatureKind(SignatureKind::Category);
    QTest::mouseDClick(note, Qt::LeftButton, {}, {50, 125});
    EXPECT_EQ(fake.dialogsRun.size(), 2u);
    EXPECT_EQ(note->signatureLabel()->text(), QStringLiteral("Work"));
    EXPECT_EQ(note->record().signatureKind, SignatureKind::Category);
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::SignatureCategory, NoteCommand::SignatureText),
              Commands{NoteCommand::SignatureCategory});
}

TEST_F(NoteTest, KeysCloseTheNoteAndF1OpensHelp)
{
    CNote* a = Open(SavedNote());
    CNote* b = Open(SavedNote());
    QTest::keyClick(a, Qt::Key_F1);
    // The same help as the panel's.
    EXPECT_TRUE(HelpOffered(fake));
    EXPECT_EQ(host.notes.get(0), a);
    QTest::keyClick(a, Qt::Key_Escape);
    EXPECT_EQ(host.notes.get(0), nullptr);
    QTest::keyClick(b, Qt::Key_Return);
    EXPECT_EQ(host.notes.get(1), nullptr);
    EXPECT_EQ(host.closedSlots, (std::vector<int>{0, 1}));
}

TEST_F(NoteTest, RightClickShowsTheNoteMenuAtThePointer)
{
    CNote* note = Open(SavedNote());
    PointAt(note, {40, 40});
    QTest::mouseClick(note, Qt::RightButton, {}, {40, 40});
    EXPECT_TRUE(note->noteMenu()->isVisible());
    EXPECT_EQ(note->noteMenu()->pos(), QPoint(140, 340));
    note->noteMenu()->hide();
}

// The keyboard's menu (the Menu key's event, and Shift+F10 turned into it) opens in
// the middle of the note; a right press's menu event leaves it to the release.
TEST_F(NoteTest, MenuKeyAndShiftF10ShowTheNoteMenuOnTheNote)
{
    OpenContextMenusOnShiftF10(qApp);
    CNote* note = Open(SavedNote());
    const QPoint middle = note->mapToGlobal(note->rect().center());
    QContextMenuEvent press(QContextMenuEvent::Mouse, {40, 40}, note->mapToGlobal(QPoint(40, 40)));
    QApplication::sendEvent(note, &press);
    EXPECT_FALSE(note->noteMenu()->isVisible());
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {}, note->mapToGlobal(QPoint()));
    QApplication::sendEvent(note, &menuKey);
    ASSERT_TRUE(note->noteMenu()->isVisible());
    EXPECT_EQ(note->noteMenu()->x(), middle.x());
    note->noteMenu()->hide();

    QTest::keyClick(note, Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(note->noteMenu()->isVisible());
    EXPECT_EQ(note->noteMenu()->x(), middle.x());
    note->noteMenu()->hide();
    QTest::keyClick(note, Qt::Key_F10); // F10 alone is no menu key
    EXPECT_FALSE(note->noteMenu()->isVisible());
}

} // namespace
