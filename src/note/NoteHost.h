#pragma once
// What a note window needs from the main panel. The panel implements it; tests use a fake.

#include "model/Collections.h"
#include "model/SNote.h"

class CNote;
class QWidget;

class NoteHost {
public:
    virtual ~NoteHost() = default;

    virtual const Categories& categoryList() const = 0;
    // "Save": appends the record to the templates and refills the panel's list.
    virtual void saveAsTemplate(const SNote& record) = 0;
    // "Clone" and every other new note: builds a window from a copy of record,
    // gives it the next slot and appends it. Returns the new window.
    virtual CNote* openNote(const SNote& record, bool isNew) = 0;
    // A note closed: its slot becomes null (the slot is never reused).
    virtual void noteClosed(int slot) = 0;
    // The window note windows are parented to (the panel; may be null in tests).
    virtual QWidget* noteParent() = 0;
    // The note's record or the text being typed changed; the panel keeps a snapshot.
    virtual void noteChanged() {}
};
