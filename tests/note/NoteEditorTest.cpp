#include "note/NoteTestSupport.h"

#include "note/NoteEditor.h"

#include <QAccessible>
#include <QPainter>
#include <QPlainTextEdit>

namespace {

// Counts the repaints of a widget: a blinking caret repaints it twice a second.
class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget* w) : w_(w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == w_ && e->type() == QEvent::Paint)
            ++count;
        return false;
    }

private:
    QWidget* w_;
};

int RepaintsWithin(PaintCount& paints, int ms)
{
    paints.count = 0;
    QTest::qWait(ms);
    return paints.count;
}

// Whether the caret shows: a dark pixel on its (otherwise empty) line.
bool CaretShown(QPlainTextEdit* editor)
{
    const QImage shown = editor->viewport()->grab().toImage();
    const QRect caret = editor->cursorRect();
    for (int x = caret.left(); x <= caret.right() + 1; ++x)
        if (qGray(shown.pixel(x, caret.center().y())) < 100)
            return true;
    return false;
}

TEST_F(NoteTest, CaretStopsBlinkingAfterTenSecondsWithoutAKeyAndBlinksAgainAfterOne)
{
    CNote* note = Open(SavedNote());
    note->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(note));
    note->BeginTextEdit();
    QPlainTextEdit* editor = note->editor();
    ASSERT_TRUE(editor->hasFocus());
    // The caret on an empty line of its own.
    QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Return);
    PaintCount paints(editor->viewport());
    EXPECT_GE(RepaintsWithin(paints, 1500), 2);

    // The caret rests once the application's flash time is down to nothing.
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::cursorFlashTime() == 0; },
                                NoteEditor::kCaretRestMs + 5000));
    QCoreApplication::processEvents(); // the caret's last paint, drawn solid
    EXPECT_EQ(RepaintsWithin(paints, 1500), 0);
    EXPECT_TRUE(CaretShown(editor));
    EXPECT_TRUE(note->isEditing());

    QTest::keyClick(editor, Qt::Key_A);
    EXPECT_GE(RepaintsWithin(paints, 1500), 2);
    // Leaving the editor gives the rest of the program the desktop's blinking back.
    const int blinking = QApplication::cursorFlashTime();
    EXPECT_GT(blinking, 0);
    EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::cursorFlashTime() == 0; },
                                NoteEditor::kCaretRestMs + 5000));
    note->FinishTextEdit();
    EXPECT_EQ(QApplication::cursorFlashTime(), blinking);
    EXPECT_EQ(note->record().text, "Buy milk\r\na");
}

TEST_F(NoteTest, AOneMegabyteLineOpensInTheEditorAndTakesKeys)
{
    SNote record = SavedNote();
    record.text = std::string(1 << 20, 'x');
    CNote* note = Open(record);
    note->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(note));
    note->BeginTextEdit();
    QPlainTextEdit* editor = note->editor();
    ASSERT_TRUE(note->isEditing());
    QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
    // Far more than fits: no more text goes in, but deleting works.
    QTest::keyClicks(editor, "yz");
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(editor, Qt::Key_Backspace);
    note->FinishTextEdit();
    EXPECT_FALSE(note->isEditing());
    EXPECT_EQ(note->record().text.size(), (1u << 20) - 2);
    EXPECT_EQ(note->record().text.substr((1u << 20) - 4), "xx");
    // The label shows the text again, from its start.
    const QImage label = note->textLabel()->grab().toImage();
    int dark = 0;
    for (int y = 0; y < label.height(); ++y)
        for (int x = 0; x < label.width(); ++x)
            dark += qGray(label.pixel(x, y)) < 100;
    EXPECT_GT(dark, 50);
}

// The label's picture of a note with text.
QImage LabelPicture(CNote* note)
{
    return note->textLabel()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The label leaves out what can never show of a long stretch: the pixels stay those of
// the whole text.
TEST_F(NoteTest, ALabelPaintsAVeryLongStretchAsTheWholeTextWould)
{
    // A label shows a few hundred characters at most: a stretch of 300,000 looks as one
    // of 2,000 does.
    const QString stretch(300000, QLatin1Char('w'));
    const QString shorter(2000, QLatin1Char('w'));
    for (const QString& pattern :
         {QStringLiteral("%1"), QStringLiteral("Start %1 and &more\nwords"),
          QStringLiteral("a-%1-b c")}) {
        SNote record = SavedNote();
        record.text = pattern.arg(stretch).toStdString();
        CNote* note = Open(record);
        record.text = pattern.arg(shorter).toStdString();
        CNote* same = Open(record);
        EXPECT_EQ(LabelPicture(note), LabelPicture(same)) << pattern.toStdString();
        note->CloseNote();
        same->CloseNote();
    }
}

} // namespace

// Window lists and screen readers tell notes apart by their names: the first line with
// text, the name following every change of the text.
TEST_F(NoteTest, TheWindowIsNamedByTheFirstLineOfItsText)
{
    SNote record = SavedNote();
    record.text = "\r\n  \t\r\n  Buy   milk \r\nand bread";
    CNote* note = Open(record);
    EXPECT_EQ(note->windowTitle(), QStringLiteral("Buy milk"));
    EXPECT_EQ(note->windowRole(), QStringLiteral("pinleaf-note"));

    note->BeginTextEdit();
    note->editor()->setPlainText(QStringLiteral("Call Anna\nat six"));
    note->FinishTextEdit();
    EXPECT_EQ(note->windowTitle(), QStringLiteral("Call Anna"));

    note->BeginTextEdit();
    note->editor()->setPlainText(QStringLiteral(" \n "));
    note->FinishTextEdit();
    EXPECT_EQ(note->windowTitle(), QStringLiteral("Pinleaf note"));
    // A screen reader reads the same name.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(note)->text(QAccessible::Name),
              QStringLiteral("Pinleaf note"));

    // A long first line is cut (never inside a character); a megabyte one costs nothing.
    record.text = std::string(59, 'x') + "\xF0\x9F\x93\x8C" + std::string(1 << 20, 'y');
    note->ApplyRecord(record, false);
    EXPECT_EQ(note->windowTitle(), QString(57, QLatin1Char('x')) + QStringLiteral("..."));
    record.text = std::string(56, 'x') + "\xF0\x9F\x93\x8C" + std::string(10, 'y');
    note->ApplyRecord(record, false);
    EXPECT_EQ(note->windowTitle(), QString(56, QLatin1Char('x')) + QStringLiteral("..."));
}
