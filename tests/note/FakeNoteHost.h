#pragma once
// A panel stand-in for note tests: owns the categories, collects saved templates and
// keeps the open notes in slots the way the panel does.

#include "model/Collections.h"
#include "note/Note.h"
#include "note/NoteHost.h"

#include <QApplication>

#include <vector>

class FakeNoteHost : public NoteHost {
public:
    Categories cats;
    std::vector<SNote> templates;
    SlotList<CNote> notes;
    std::vector<int> closedSlots;

    ~FakeNoteHost() override
    {
        for (int i = 0; i < notes.count(); ++i)
            delete notes.get(i);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    const Categories& categoryList() const override { return cats; }
    void saveAsTemplate(const SNote& record) override { templates.push_back(record); }
    CNote* openNote(const SNote& record, bool isNew) override
    {
        auto* note = new CNote(*this, record, isNew, notes.count(), nullptr);
        notes.append(note);
        return note;
    }
    void noteClosed(int slot) override
    {
        closedSlots.push_back(slot);
        notes.setNull(slot);
    }
    QWidget* noteParent() override { return nullptr; }
};

// A plain yellow 120 x 140 note at (100, 300) as the stores would give it back.
inline SNote SavedNote()
{
    SNote note;
    note.size = NoteSize::Size120x140;
    note.color = NoteColor::Yellow;
    note.shape = NoteShape::Rectangle;
    note.signatureKind = SignatureKind::Category;
    note.category = "Work";
    note.text = "Buy milk";
    note.left = 100;
    note.top = 300;
    note.font.height = -11;
    note.font.setFace("DejaVu Sans");
    note.created = {2023, 1, 0, 2, 8, 5, 0, 0};
    return note;
}
