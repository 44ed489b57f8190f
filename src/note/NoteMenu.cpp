// The note menu and what its commands do.

#include "dialogs/Signature.h"
#include "note/Note.h"
#include "note/NoteHost.h"
#include "note/NoteLook.h"
#include "widgets/Menus.h"
#include "platform/Platform.h"
#include "platform/Text.h"

#include <QMenu>

#include <algorithm>

namespace {

constexpr int kFirstCategory = 200;

struct Group {
    int first;
    int last;
};
// Indexed by CNote::MarkGroup.
constexpr Group kMarkGroups[] = {{10, 15}, {20, 29}, {40, 49}, {100, 104}};

// The items of the radio groups, as BuildNoteMenu makes them.
bool HasItem(int id)
{
    return (id >= 10 && id <= 15) || (id >= 20 && id <= 26) || id == 29 || (id >= 40 && id <= 49) ||
           id == 100 || id == 101 || id == 103 || id == 104;
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
    delete noteMenu_;
    noteMenu_ = new QMenu(this);
    AddTitle(noteMenu_, tr("Note Menu"));

    // Submenus are children of the menu that shows them, so a command chosen in any of
    // them reaches the note menu's triggered signal.
    QMenu* edit = AddSubmenu(noteMenu_, tr("Edit"), new QMenu(noteMenu_));
    QMenu* signature = AddSubmenu(edit, tr("Signature"), new QMenu(edit));
    AddItem(signature, tr("Category"), 100);
    AddItem(signature, tr("Time create"), 101);
    AddItem(signature, tr("Void"), 103);
    signature->addSeparator();
    AddItem(signature, tr("Text..."), 104);
    AddItem(edit, tr("Text..."), 51);
    AddItem(edit, tr("Font..."), 52);
    categoryMenu_ = AddSubmenu(edit, tr("Category"), new QMenu(edit));
    for (int i = 0; i < static_cast<int>(categoryNames_.size()); ++i)
        AddItem(categoryMenu_, ToQt(categoryNames_[static_cast<std::size_t>(i)]),
                kFirstCategory + i);

    QMenu* color = AddSubmenu(noteMenu_, tr("Color"), new QMenu(noteMenu_));
    AddItem(color, tr("Random"), 50);
    color->addSeparator();
    static const char* const colors[] = {
        QT_TR_NOOP("Red"),    QT_TR_NOOP("Orange"), QT_TR_NOOP("Yellow"), QT_TR_NOOP("Green1"),
        QT_TR_NOOP("Green2"), QT_TR_NOOP("Blue1"),  QT_TR_NOOP("Blue2"),  QT_TR_NOOP("Violet"),
        QT_TR_NOOP("Gray"),   QT_TR_NOOP("White")};
    for (int i = 0; i < 10; ++i)
        AddItem(color, tr(colors[i]), 40 + i);

    QMenu* style = AddSubmenu(noteMenu_, tr("Style"), new QMenu(noteMenu_));
    AddItem(style, tr("Random"), 29);
    style->addSeparator();
    static const char* const shapes[] = {QT_TR_NOOP("Rectangle"), QT_TR_NOOP("Round top"),
                                         QT_TR_NOOP("Round all"), QT_TR_NOOP("Cut BR"),
                                         QT_TR_NOOP("Cut BL"),    QT_TR_NOOP("Cut TL,BR"),
                                         QT_TR_NOOP("Cut TR,BL")};
    for (int i = 0; i < 7; ++i)
        AddItem(style, tr(shapes[i]), 20 + i);

    QMenu* sizes = AddSubmenu(noteMenu_, tr("Size"), new QMenu(noteMenu_));
    const char* sizeTexts[] = {"120 x 140", "132 x 152", "145 x 165",
                               "150 x 110", "162 x 122", "175 x 135"};
    for (int i = 0; i < 6; ++i) {
        if (i == 3)
            sizes->addSeparator(); // portrait sizes above, landscape below
        AddItem(sizes, QString::fromLatin1(sizeTexts[i]), 10 + i);
    }

    noteMenu_->addSeparator();
    AddItem(noteMenu_, tr("Clone"), 33);
    AddItem(noteMenu_, tr("Save"), 32);
    noteMenu_->addSeparator();
    AddItem(noteMenu_, tr("Close"), 34);

    connect(noteMenu_, &QMenu::triggered, this, [this](QAction* action) {
        // Marks follow the record, not the click: undo the toggle Qt made and let the
        // command set them (a cancelled dialog leaves them as they were).
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        if (int id = CommandId(action))
            OnCommand(id);
    });
    BuildMenuMarks();
}

void CNote::BuildMenuMarks()
{
    for (int group = 0; group < MarkGroupCount; ++group) {
        const Group range = kMarkGroups[group];
        if (marks_[group])
            CheckRadio(noteMenu_, range.first, range.last, marks_[group]);
        if (lastValues_[group])
            CheckRadioValue(noteMenu_, range.first, range.last, *lastValues_[group]);
    }
    if (categoryMark_ >= 0)
        MarkCategoryItem(categoryMark_);
}

void CNote::Mark(MarkGroup group, long long value)
{
    const Group range = kMarkGroups[group];
    if (value >= 0 && value <= range.last - range.first &&
        HasItem(range.first + static_cast<int>(value)))
        marks_[group] = range.first + static_cast<int>(value);
    lastValues_[group] = value;
    if (noteMenu_)
        CheckRadioValue(noteMenu_, range.first, range.last, value);
}

void CNote::RebuildCategoryMenu()
{
    categoryNames_ = host_.categoryList().all();
    categoryMark_ = -1;
    if (!categoryMenu_)
        return;
    categoryMenu_->clear();
    for (int i = 0; i < static_cast<int>(categoryNames_.size()); ++i)
        AddItem(categoryMenu_, ToQt(categoryNames_[static_cast<std::size_t>(i)]),
                kFirstCategory + i);
}

void CNote::MarkCategory()
{
    auto found = std::find(categoryNames_.begin(), categoryNames_.end(), record_.category);
    // A category that is not listed leaves no item marked.
    MarkCategoryItem(static_cast<int>(found - categoryNames_.begin()));
}

void CNote::MarkCategoryItem(int index)
{
    categoryMark_ = index;
    if (!noteMenu_)
        return;
    const int last = kFirstCategory + static_cast<int>(categoryNames_.size()) - 1;
    CheckRadio(noteMenu_, kFirstCategory, last, kFirstCategory + index);
}

void CNote::OnCommand(int id)
{
    if (id >= 10 && id <= 15)
        ApplySize(id - 10);
    else if (id >= 20 && id <= 26)
        ApplyShape(id - 20);
    else if (id == 29)
        ChooseRandomShape();
    else if (id == 32)
        SaveAsTemplate();
    else if (id == 33)
        host_.openNote(record_, true);
    else if (id == 34)
        CloseNote();
    else if (id >= 40 && id <= 49)
        ApplyColor(id - 40);
    else if (id == 50)
        ChooseRandomColor();
    else if (id == 51)
        BeginTextEdit();
    else if (id == 52)
        ChooseFont();
    else if (id >= 100 && id <= 103)
        ApplySignatureKind(id - 100);
    else if (id == 104)
        RunSignatureDialog();
    else if (id >= kFirstCategory)
        SelectCategory(id - kFirstCategory);
    host_.noteChanged();
}

void CNote::ChooseRandomColor()
{
    ApplyColor(RandomLookValue(RandomColor, record_.color));
}

void CNote::ChooseRandomShape()
{
    ApplyShape(RandomLookValue(RandomShape, record_.shape));
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
        ApplySignatureKind(Text);
}

void CNote::SelectCategory(int index)
{
    if (index < 0 || index >= static_cast<int>(categoryNames_.size()))
        return;
    record_.category = categoryNames_[static_cast<std::size_t>(index)];
    MarkCategoryItem(index);
    if (record_.signatureKind == Category)
        ApplySignatureKind(Category);
}
