#include "note/NoteTestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

TEST_F(NoteTest, RandomColourAndStyleAlwaysChange)
{
    SNote record = SavedNote();
    record.color = NoteColor::Gray;
    CNote* note = Open(record);
    note->OnCommand(NoteCommand::ColorRandom);
    int first = note->record().color;
    EXPECT_NE(first, NoteColor::Gray);
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::ColorRed, NoteCommand::ColorRandom),
              Commands{NoteCommand::ColorRed + first});
    note->OnCommand(NoteCommand::ColorRandom); // same second, same seed: still a change
    EXPECT_NE(note->record().color, first);
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::ColorRed, NoteCommand::ColorRandom),
              Commands{NoteCommand::ColorRed + note->record().color});

    note->OnCommand(NoteCommand::StyleRandom);
    int shape = note->record().shape;
    EXPECT_NE(shape, NoteShape::Rectangle);
    EXPECT_FALSE(note->visibleRegion().isEmpty());
    note->OnCommand(NoteCommand::StyleRandom);
    EXPECT_NE(note->record().shape, shape);
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::StyleRectangle, NoteCommand::StyleRandom),
              Commands{NoteCommand::StyleRectangle + note->record().shape});
}

TEST_F(NoteTest, MenuItemsReachTheNoteAndMarksFollowTheRecord)
{
    CNote* note = Open(SavedNote());
    FindItem(note->noteMenu(), NoteCommand::ColorOrange)->trigger(); // Orange
    EXPECT_EQ(note->record().color, NoteColor::Orange);
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::ColorRed, NoteCommand::ColorRandom),
              Commands{NoteCommand::ColorOrange});
    FindItem(note->noteMenu(), NoteCommand::ColorOrange)->trigger(); // again: stays marked
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::ColorRed, NoteCommand::ColorRandom),
              Commands{NoteCommand::ColorOrange});
    FindItem(note->noteMenu(), NoteCommand::Size150x110)->trigger();
    EXPECT_EQ(note->size(), QSize(150, 110));
    FindItem(note->noteMenu(), NoteCommand::StyleCutBL)->trigger();
    EXPECT_EQ(note->record().shape, NoteShape::CutBL);
    FindItem(note->noteMenu(), NoteCommand::SignatureVoid)->trigger();
    EXPECT_EQ(note->record().signatureKind, SignatureKind::Void);
    FindItem(note->noteMenu(), NoteCommand::ColorRandom)->trigger();
    EXPECT_FALSE(
        IsChecked(note->noteMenu(), NoteCommand::ColorRandom)); // "Random" itself carries no mark

    // A cancelled signature dialog leaves the old mark.
    FindItem(note->noteMenu(), NoteCommand::SignatureText)->trigger();
    EXPECT_EQ(fake.dialogsRun.size(), 1u);
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::SignatureCategory, NoteCommand::SignatureText),
              Commands{NoteCommand::SignatureVoid});
    EXPECT_EQ(note->record().signatureKind, SignatureKind::Void);
}

TEST_F(NoteTest, CategoriesMarkTheFirstMatchAndEveryEntrySelects)
{
    for (const char* name : {"Idias", "Work", "Idias"})
        host.cats.append(name);
    for (int i = 3; i < 45; ++i)
        host.cats.append("Cat " + std::to_string(i));
    SNote record = SavedNote();
    record.category = "Idias";
    CNote* note = Open(record);
    EXPECT_EQ(
        Checked(note->noteMenu(), NoteCommand::FirstCategory, NoteCommand::FirstCategory + 99),
        Commands{NoteCommand::FirstCategory});

    note->OnCommand(NoteCommand::FirstCategory + 40); // beyond the thirtieth entry
    EXPECT_EQ(note->record().category, "Cat 40");
    EXPECT_EQ(
        Checked(note->noteMenu(), NoteCommand::FirstCategory, NoteCommand::FirstCategory + 99),
        Commands{NoteCommand::FirstCategory + 40});
    EXPECT_EQ(note->signatureLabel()->text(), QStringLiteral("Cat 40"));

    note->ApplySignatureKind(SignatureKind::TimeCreate);
    const QString time = note->signatureLabel()->text();
    note->OnCommand(NoteCommand::FirstCategory + 1);
    EXPECT_EQ(note->record().category, "Work");
    EXPECT_EQ(note->signatureLabel()->text(), time);

    note->OnCommand(NoteCommand::FirstCategory + 99); // no such entry: nothing happens
    EXPECT_EQ(note->record().category, "Work");

    // A record whose category is not listed leaves no category marked.
    SNote unlisted = note->record();
    unlisted.category = "Not listed";
    note->ApplyRecord(unlisted, false);
    EXPECT_TRUE(
        Checked(note->noteMenu(), NoteCommand::FirstCategory, NoteCommand::FirstCategory + 99)
            .empty());

    // A rebuilt list carries no mark until a category is chosen again.
    host.cats.clear();
    host.cats.append("Home");
    note->RebuildCategoryMenu();
    EXPECT_EQ(Texts(Submenu(Submenu(note->noteMenu(), "Edit"), "Category")),
              std::vector<QString>{"Home"});
    EXPECT_TRUE(
        Checked(note->noteMenu(), NoteCommand::FirstCategory, NoteCommand::FirstCategory + 99)
            .empty());
    note->OnCommand(NoteCommand::FirstCategory);
    EXPECT_EQ(note->record().category, "Home");
}

TEST_F(NoteTest, SaveAsksAndOnlyYesMakesATemplate)
{
    CNote* note = Open(SavedNote());
    fake.answers = {false, true};
    note->OnCommand(NoteCommand::Save);
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_EQ(fake.asked[0].text, "Do you want to save this note as new template?");
    EXPECT_EQ(fake.asked[0].caption, "Create new template");
    EXPECT_EQ(fake.asked[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(fake.asked[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(host.templates.empty());
    note->OnCommand(NoteCommand::Save);
    ASSERT_EQ(host.templates.size(), 1u);
    EXPECT_EQ(host.templates[0], note->record());
}

TEST_F(NoteTest, CloneCopiesLookAndTextsWithANewTimeAndPlace)
{
    SNote record = SavedNote();
    record.font.setFace("DejaVu Serif");
    record.font.height = -17;
    record.font.italic = 1;
    record.signatureKind = SignatureKind::Text;
    record.signatureText = "Brindle";
    record.color = NoteColor::Violet;
    record.shape = NoteShape::CutTRBL;
    record.size = NoteSize::Size162x122;
    record.minimized = true;
    CNote* note = Open(record);
    fake.cursor = QPoint(500, 500);
    fake.clock = {2025, 2, 0, 9, 10, 11, 12, 0};
    note->OnCommand(NoteCommand::Clone);
    ASSERT_EQ(host.notes.count(), 2);
    CNote* clone = host.notes.get(1);
    EXPECT_EQ(clone->slot(), 1);
    const SNote& c = clone->record();
    EXPECT_EQ(c.font, record.font);
    EXPECT_EQ(c.text, record.text);
    EXPECT_EQ(c.signatureText, "Brindle");
    EXPECT_EQ(c.signatureKind, SignatureKind::Text);
    EXPECT_EQ(c.color, NoteColor::Violet);
    EXPECT_EQ(c.shape, NoteShape::CutTRBL);
    EXPECT_EQ(c.size, NoteSize::Size162x122);
    EXPECT_FALSE(c.minimized);
    EXPECT_EQ(c.created, fake.clock);
    EXPECT_EQ(clone->pos(), QPoint(500 - 81, 500 - 61));
    EXPECT_EQ(clone->textLabel()->font().italic(), true);
    EXPECT_EQ(clone->signatureLabel()->text(), QStringLiteral("Brindle"));
}

TEST_F(NoteTest, ClosingLeavesAnEmptySlotThatIsNotReused)
{
    CNote* first = Open(SavedNote());
    Open(SavedNote());
    QPointer<CNote> watch(first);
    first->OnCommand(NoteCommand::Close);
    EXPECT_EQ(host.notes.get(0), nullptr);
    EXPECT_FALSE(first->isVisible());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
    CNote* third = Open(SavedNote());
    EXPECT_EQ(third->slot(), 2);
    EXPECT_EQ(host.notes.count(), 3);
    third->CloseNote();
    third->CloseNote(); // a second close is harmless
    EXPECT_EQ(host.closedSlots, (std::vector<int>{0, 2}));
}

TEST_F(NoteTest, FontDialogReplacesTheFontOnlyOnOk)
{
    CNote* note = Open(SavedNote());
    note->OnCommand(NoteCommand::EditFont); // cancelled
    ASSERT_EQ(fake.fontDialogsOpenedWith.size(), 1u);
    EXPECT_EQ(fake.fontDialogsOpenedWith[0], SavedNote().font);
    EXPECT_EQ(note->record().font, SavedNote().font);

    LogFont chosen = SavedNote().font;
    chosen.height = -24;
    chosen.weight = 700;
    fake.nextFont = chosen;
    note->OnCommand(NoteCommand::EditFont);
    EXPECT_EQ(note->record().font, chosen);
    EXPECT_EQ(note->textLabel()->font().pixelSize(), 24);
    EXPECT_EQ(note->signatureLabel()->font().pixelSize(), 24);
    EXPECT_EQ(note->editor()->font().pixelSize(), 24);
}

TEST_F(NoteTest, EditTextCommandStartsTheEditorLikeADoubleClick)
{
    CNote* note = Open(SavedNote());
    note->OnCommand(NoteCommand::EditText);
    EXPECT_TRUE(note->isEditing());
    EXPECT_EQ(note->editor()->geometry(), QRect(6, 23, 108, 94));
}

TEST_F(NoteTest, SignatureTextCommandStoresTheTextOnOk)
{
    CNote* note = Open(SavedNote());
    fake.dialogHandler = [](QDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>();
        edit->setText(QStringLiteral("Lastet Version"));
        return int(QDialog::Accepted);
    };
    note->OnCommand(NoteCommand::SignatureText);
    EXPECT_EQ(note->record().signatureText, "Lastet Version");
    EXPECT_EQ(note->record().signatureKind, SignatureKind::Text);
    EXPECT_EQ(note->signatureLabel()->text(), QStringLiteral("Lastet Version"));
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::SignatureCategory, NoteCommand::SignatureText),
              Commands{NoteCommand::SignatureText});
}

} // namespace
