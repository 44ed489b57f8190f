// The template text editor: what it shows, and what OK and Cancel leave in the template.

#include "dialogs/EditText.h"
#include "model/Collections.h"
#include "platform/Text.h"
#include "support/FakePlatform.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

SNote StyledTemplate()
{
    SNote note;
    note.isDefault = true;
    note.shape = NoteShape::CutTLBR;
    note.size = NoteSize::Size162x122;
    note.color = NoteColor::Violet;
    note.signatureKind = SignatureKind::Text;
    note.category = "Work";
    note.text = "Call Anna";
    note.signatureText = "-- me";
    note.left = 12;
    note.top = 34;
    note.font.height = -24;
    note.font.weight = 700;
    note.font.italic = 1;
    note.font.setFace("DejaVu Serif");
    note.created = {2023, 1, 0, 2, 3, 4, 5, 0};
    return note;
}

class EditTextDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        SNote other;
        other.text = "first";
        templates.append(other);
        templates.append(StyledTemplate());
    }
    QPlainTextEdit* Edit(CEditText& dialog) { return dialog.findChild<QPlainTextEdit*>("text"); }
    QPushButton* Ok(CEditText& dialog) { return dialog.findChild<QPushButton*>("ok"); }

    FakePlatform fake;
    Templates templates;
};

TEST_F(EditTextDialog, ShowsTheTextInTheTemplatesFontWithOkFocused)
{
    CEditText dialog(templates, 1);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Edit text...");
    EXPECT_EQ(dialog.size(), QSize(144, 160)); // 96 x 99 dialog units
    QPlainTextEdit* edit = Edit(dialog);
    ASSERT_TRUE(edit && Ok(dialog));
    EXPECT_EQ(edit->toPlainText(), "Call Anna");
    EXPECT_EQ(edit->geometry(), QRect(7, 8, 129, 113));
    EXPECT_EQ(Ok(dialog)->geometry(), QRect(70, 130, 66, 22));
    EXPECT_EQ(edit->font(), ToQFont(StyledTemplate().font));
    EXPECT_EQ(edit->font().pixelSize(), 24);
    EXPECT_TRUE(edit->font().bold());
    EXPECT_TRUE(edit->font().italic());
    EXPECT_EQ(dialog.focusWidget(), Ok(dialog));
    EXPECT_EQ(Ok(dialog)->nextInFocusChain(), edit);
    EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST_F(EditTextDialog, OkWritesOnlyTheTextAndKeepsEveryOtherField)
{
    CEditText dialog(templates, 1);
    dialog.show();
    Edit(dialog)->setPlainText("Call Anna\nand Bob");
    // The template changes while the dialog is open; OK must not undo that.
    SNote meanwhile = templates.get(1);
    meanwhile.color = NoteColor::Green2;
    templates.replace(1, meanwhile);

    QTest::mouseClick(Ok(dialog), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    SNote expected = StyledTemplate();
    expected.color = NoteColor::Green2;
    expected.text = "Call Anna\r\nand Bob";
    EXPECT_EQ(templates.get(1), expected);
    EXPECT_EQ(templates.get(0).text, "first");
}

TEST_F(EditTextDialog, CancelAndEscapeChangeNothing)
{
    {
        CEditText dialog(templates, 1);
        dialog.show();
        Edit(dialog)->setPlainText("gone");
        dialog.reject();
    }
    {
        CEditText dialog(templates, 1);
        dialog.show();
        Edit(dialog)->setPlainText("gone too");
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(templates.get(1), StyledTemplate());
}

TEST_F(EditTextDialog, WindowsLineBreaksAreShownAsLinesAndKeptOnOk)
{
    SNote note = StyledTemplate();
    note.text = "one\r\ntwo";
    templates.replace(1, note);
    CEditText dialog(templates, 1);
    dialog.show();
    EXPECT_EQ(Edit(dialog)->toPlainText(), "one\ntwo");
    Edit(dialog)->setPlainText("one\ntwo\nthree");
    dialog.accept();
    EXPECT_EQ(templates.get(1).text, "one\r\ntwo\r\nthree");

    // A one-line text that gains lines stores them as a note's editor does.
    note.text = "single";
    templates.replace(1, note);
    CEditText second(templates, 1);
    Edit(second)->setPlainText("single\nmore");
    second.accept();
    EXPECT_EQ(templates.get(1).text, "single\r\nmore");
}

TEST_F(EditTextDialog, TheTextStopsAtTheBottomOfItsBox)
{
    CEditText dialog(templates, 1);
    dialog.show();
    QPlainTextEdit* edit = Edit(dialog);
    edit->setFocus();
    edit->setPlainText("");
    for (int i = 0; i < 100; ++i)
        QTest::keyClicks(edit, "word ");
    EXPECT_GT(edit->toPlainText().size(), 20);
    EXPECT_LT(edit->toPlainText().size(), 400);
    EXPECT_EQ(edit->verticalScrollBar()->value(), 0) << "the first line scrolled away";
}

} // namespace
