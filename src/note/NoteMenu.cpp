// The note menu and what its commands do.

#include "dialogs/Signature.h"
#include "note/Note.h"
#include "note/NoteCommand.h"
#include "note/NoteHost.h"
#include "note/NoteLook.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "widgets/Menus.h"

#include <QMenu>

#include <algorithm>

namespace {

struct Group {
    NoteCommand first;
    NoteCommand last;
};
// Indexed by CNote::MarkGroup.
constexpr Group kMarkGroups[] = {{NoteCommand::Size120x140, NoteCommand::Size175x135},
                                 {NoteCommand::StyleRectangle, NoteCommand::StyleRandom},
                                 {NoteCommand::ColorRed, NoteCommand::ColorWhite},
                                 {NoteCommand::SignatureCategory, NoteCommand::SignatureText}};

// The items of the radio groups, as BuildNoteMenu makes them.
bool HasItem(NoteCommand id)
{
    using enum NoteCommand;
    return InRange(id, Size120x140, Size175x135) || InRange(id, StyleRectangle, StyleCutTRBL) ||
           id == StyleRandom || InRange(id, ColorRed, ColorWhite) || id == SignatureCategory ||
           id == SignatureTime || id == SignatureVoid || id == SignatureText;
}

QAction* AddItem(QMenu* menu, const QString& text, NoteCommand id)
{
    return ::AddItem(menu, text, Id(id));
}

} // namespace

QMenu* CNote::noteMenu()
{
    if (!noteMenu_)
        BuildNoteMenu();
    return noteMenu_;
}

void CNote::BuildNoteMenu()
{
    using enum NoteCommand;
    delete noteMenu_;
    noteMenu_ = new QMenu(this);
    AddTitle(noteMenu_, tr("Note Menu"));

    // Submenus are children of the menu that shows them, so a command chosen in any of
    // them reaches the note menu's triggered signal.
    QMenu* edit = AddSubmenu(noteMenu_, tr("Edit"), new QMenu(noteMenu_));
    QMenu* signature = AddSubmenu(edit, tr("Signature"), new QMenu(edit));
    AddItem(signature, tr("Category"), SignatureCategory);
    AddItem(signature, tr("Time create"), SignatureTime);
    AddItem(signature, tr("Void"), SignatureVoid);
    signature->addSeparator();
    AddItem(signature, tr("Text..."), SignatureText);
    AddItem(edit, tr("Text..."), EditText);
    AddItem(edit, tr("Font..."), EditFont);
    categoryMenu_ = AddSubmenu(edit, tr("Category"), new QMenu(edit));
    for (int i = 0; i < static_cast<int>(categoryNames_.size()); ++i)
        AddItem(categoryMenu_, ToQt(categoryNames_[static_cast<std::size_t>(i)]),
                FirstCategory + i);

    QMenu* color = AddSubmenu(noteMenu_, tr("Color"), new QMenu(noteMenu_));
    AddItem(color, tr("Random"), ColorRandom);
    color->addSeparator();
    static const char* const colors[] = {
        QT_TR_NOOP("Red"),    QT_TR_NOOP("Orange"), QT_TR_NOOP("Yellow"), QT_TR_NOOP("Green1"),
        QT_TR_NOOP("Green2"), QT_TR_NOOP("Blue1"),  QT_TR_NOOP("Blue2"),  QT_TR_NOOP("Violet"),
        QT_TR_NOOP("Gray"),   QT_TR_NOOP("White")};
    for (int i = 0; i < 10; ++i)
        AddItem(color, tr(colors[i]), ColorRed + i);

    QMenu* style = AddSubmenu(noteMenu_, tr("Style"), new QMenu(noteMenu_));
    AddItem(style, tr("Random"), StyleRandom);
    style->addSeparator();
    static const char* const shapes[] = {QT_TR_NOOP("Rectangle"), QT_TR_NOOP("Round top"),
                                         QT_TR_NOOP("Round all"), QT_TR_NOOP("Cut BR"),
                                         QT_TR_NOOP("Cut BL"),    QT_TR_NOOP("Cut TL,BR"),
                                         QT_TR_NOOP("Cut TR,BL")};
    for (int i = 0; i < 7; ++i)
        AddItem(style, tr(shapes[i]), StyleRectangle + i);

    QMenu* sizes = AddSubmenu(noteMenu_, tr("Size"), new QMenu(noteMenu_));
    const char* sizeTexts[] = {"120 x 140", "132 x 152", "145 x 165",
                               "150 x 110", "162 x 122", "175 x 135"};
    for (int i = 0; i < 6; ++i) {
        if (i == 3)
            sizes->addSeparator(); // portrait sizes above, landscape below
        AddItem(sizes, QString::fromLatin1(sizeTexts[i]), Size120x140 + i);
    }

    noteMenu_->addSeparator();
    AddItem(noteMenu_, tr("Clone"), Clone);
    AddItem(noteMenu_, tr("Save"), Save);
    noteMenu_->addSeparator();
    AddItem(noteMenu_, tr("Close"), Close);

    connect(noteMenu_, &QMenu::triggered, this, [this](QAction* action) {
        // Marks follow the record, not the click: undo the toggle Qt made and let the
        // command set them (a cancelled dialog leaves them as they were).
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        if (int id = CommandId(action))
            OnCommand(static_cast<NoteCommand>(id));
    });
    BuildMenuMarks();
}

void CNote::BuildMenuMarks()
{
    for (int group = 0; group < MarkGroupCount; ++group) {
        const Group range = kMarkGroups[group];
        if (marks_[group])
            CheckRadio(noteMenu_, Id(range.first), Id(range.last), marks_[group]);
        if (lastValues_[group])
            CheckRadioValue(noteMenu_, Id(range.first), Id(range.last), *lastValues_[group]);
    }
    if (categoryMark_ >= 0)
        MarkCategoryItem(categoryMark_);
}

void CNote::Mark(MarkGroup group, long long value)
{
    const Group range = kMarkGroups[group];
    if (value >= 0 && value <= range.last - range.first &&
        HasItem(range.first + static_cast<int>(value)))
        marks_[group] = Id(range.first + static_cast<int>(value));
    lastValues_[group] = value;
    if (noteMenu_)
        CheckRadioValue(noteMenu_, Id(range.first), Id(range.last), value);
}

void CNote::RebuildCategoryMenu()
{
    using enum NoteCommand;
    categoryNames_ = host_.categoryList().all();
    categoryMark_ = -1;
    if (!categoryMenu_)
        return;
    categoryMenu_->clear();
    for (int i = 0; i < static_cast<int>(categoryNames_.size()); ++i)
        AddItem(categoryMenu_, ToQt(categoryNames_[static_cast<std::size_t>(i)]),
                FirstCategory + i);
}

void CNote::MarkCategory()
{
    auto found = std::find(categoryNames_.begin(), categoryNames_.end(), record_.category);
    // A category that is not listed leaves no item marked.
    MarkCategoryItem(static_cast<int>(found - categoryNames_.begin()));
}

void CNote::MarkCategoryItem(int index)
{
    using enum NoteCommand;
    categoryMark_ = index;
    if (!noteMenu_)
        return;
    const NoteCommand last = FirstCategory + (static_cast<int>(categoryNames_.size()) - 1);
    CheckRadio(noteMenu_, Id(FirstCategory), Id(last), Id(FirstCategory + index));
}

void CNote::OnCommand(NoteCommand id)
{
    using enum NoteCommand;
    if (InRange(id, Size120x140, Size175x135))
        ApplySize(id - Size120x140);
    else if (InRange(id, StyleRectangle, StyleCutTRBL))
        ApplyShape(id - StyleRectangle);
    else if (id == StyleRandom)
        ChooseRandomShape();
    else if (id == Save)
        SaveAsTemplate();
    else if (id == Clone)
        host_.openNote(record_, true);
    else if (id == Close)
        CloseNote();
    else if (InRange(id, ColorRed, ColorWhite))
        ApplyColor(id - ColorRed);
    else if (id == ColorRandom)
        ChooseRandomColor();
    else if (id == EditText)
        BeginTextEdit();
    else if (id == EditFont)
        ChooseFont();
    else if (InRange(id, SignatureCategory, SignatureVoid))
        ApplySignatureKind(id - SignatureCategory);
    else if (id == SignatureText)
        RunSignatureDialog();
    else if (Id(id) >= Id(FirstCategory))
        SelectCategory(id - FirstCategory);
    host_.noteChanged();
}

void CNote::ChooseRandomColor()
{
    ApplyColor(RandomLookValue(NoteColor::RandomColor, record_.color));
}

void CNote::ChooseRandomShape()
{
    ApplyShape(RandomLookValue(NoteShape::RandomShape, record_.shape));
}

void CNote::SaveAsTemplate()
{
    if (platform().ask(this, FromQt(tr("Do you want to save this note as new template?")),
                       FromQt(tr("Create new template")), MessageButtons::YesNo,
                       MessageIcon::Exclamation))
        host_.saveAsTemplate(record_);
}

void CNote::ChooseFont()
{
    if (auto chosen = platform().chooseFont(this, record_.font)) {
        record_.font = *chosen;
        ApplyFont();
    }
}

void CNote::RunSignatureDialog()
{
    CSignature dialog(record_, this);
    if (platform().runDialog(dialog) == QDialog::Accepted)
        ApplySignatureKind(SignatureKind::Text);
}

void CNote::SelectCategory(int index)
{
    if (index < 0 || index >= static_cast<int>(categoryNames_.size()))
        return;
    record_.category = categoryNames_[static_cast<std::size_t>(index)];
    MarkCategoryItem(index);
    if (record_.signatureKind == SignatureKind::Category)
        ApplySignatureKind(SignatureKind::Category);
}
