// The panel's side of the note windows: opening and closing them, the commands that act
// on all of them, the hot keys and the tray icon.

#include "panel/NoteDlg.h"

#include "note/Note.h"
#include "panel/TemplateList.h"
#include "platform/DesktopWindow.h"
#include "platform/Platform.h"
#include "widgets/Menus.h"

#include "model/Factory.h"
#include "store/Stores.h"

#include <QMenu>

#include <cerrno>
#include <cstdio>

void CNoteDlg::saveAsTemplate(const SNote& record)
{
    // The whole record is kept, its default mark too: the first marked template in the
    // list stays the one that counts.
    templates.append(record);
    FillTemplateList();
    MarkChanged();
}

CNote* CNoteDlg::openNote(const SNote& record, bool isNew)
{
    // Note windows have no parent window: a hidden panel must not take them along.
    // The panel still owns them (see the destructor).
    auto* note = new CNote(*this, record, isNew, notes.count(), noteParent());
    notes.append(note);
    if (isNew)
        MarkChanged();
    return note;
}

void CNoteDlg::noteClosed(int slot)
{
    if (slot >= 0 && slot < notes.count()) {
        // Closing deletes the note at one keystroke: it stays within reach.
        if (const CNote* note = notes.get(slot); note && started_ && !ended_)
            RememberClosed(note->currentRecord());
        notes.setNull(slot);
    }
    MarkChanged();
}

void CNoteDlg::ReadClosedNotes()
{
    stateFolder_ = store::StateFolder();
    closedNotes_ = store::ReadNotes(stateFolder_, store::kClosedNotesFile, FactoryFont(), &damage_);
    if (closedNotes_.size() > kMaxClosedNotes)
        closedNotes_.erase(closedNotes_.begin(), closedNotes_.end() - kMaxClosedNotes);
    menus.reopenClosedNote->setEnabled(!closedNotes_.empty());
}

void CNoteDlg::RememberClosed(const SNote& record)
{
    closedNotes_.push_back(record);
    if (closedNotes_.size() > kMaxClosedNotes)
        closedNotes_.erase(closedNotes_.begin());
    KeepClosedNotes();
}

void CNoteDlg::ReopenClosedNote()
{
    if (closedNotes_.empty())
        return;
    const SNote record = closedNotes_.back();
    closedNotes_.pop_back();
    KeepClosedNotes();
    openNote(record, false);
}

void CNoteDlg::KeepClosedNotes()
{
    menus.reopenClosedNote->setEnabled(!closedNotes_.empty());
    if (stateFolder_.empty())
        return;
    store::StoreResult kept;
    if (!store::CreateDataFolder(stateFolder_))
        kept = store::SystemError(errno, stateFolder_);
    else
        kept = store::WriteNotes(stateFolder_, store::kClosedNotesFile, closedNotes_, &damage_);
    if (!kept)
        std::fprintf(stderr, "pinleaf: cannot keep the closed notes in %s%s: %s\n",
                     stateFolder_.c_str(), store::kClosedNotesFile, kept.error().reason.c_str());
}

void CNoteDlg::MinimizeAll()
{
    // All of them roll in one animation; their records change at once.
    std::vector<CNote*> rolling;
    const int count = notes.count();
    for (int slot = 0; slot < count; ++slot)
        if (CNote* note = notes.get(slot); note && !note->record().minimized)
            rolling.push_back(note);
    CNote::RollTogether(rolling);
}

void CNoteDlg::RestoreAll()
{
    std::vector<CNote*> rolling;
    const int count = notes.count();
    for (int slot = 0; slot < count; ++slot)
        if (CNote* note = notes.get(slot); note && note->record().minimized)
            rolling.push_back(note);
    CNote::RollTogether(rolling);
}

void CNoteDlg::CloseAll()
{
    const int count = notes.count();
    for (int slot = 0; slot < count; ++slot)
        if (CNote* note = notes.get(slot))
            note->CloseNote();
}

void CNoteDlg::ApplyHotKeyMode(int mode)
{
    // A damaged settings file can hold any number: such a mode leaves no item marked.
    CheckRadioValue(menus.hotKeysMenu, kHotKeyModeFirstCommand, kHotKeyModeLastCommand, mode);
    if (hotKeys_)
        ::ApplyHotKeyMode(*hotKeys_, mode, settings.hotKeyMode);
    else
        settings.hotKeyMode = mode; // no key grabs on this desktop: the choice is still kept
}

void CNoteDlg::OnHotKey(int id)
{
    ::OnHotKey(id, *this);
}

void CNoteDlg::createNote()
{
    // Made from another program by the hot key: the new note comes forward.
    if (CNote* note = openNote(DefaultTemplate(), true))
        ActivateWindow(note);
}

void CNoteDlg::bringToFront()
{
    // The notes come forward with the panel, as they would with their owner.
    for (int slot = 0; slot < notes.count(); ++slot)
        if (CNote* note = notes.get(slot))
            note->raise();
    if (isVisible()) {
        raise();
        ActivateWindow(this);
    }
}

void CNoteDlg::AddTrayIcon(bool balloon)
{
    if (tray_)
        ::AddTrayIcon(*tray_, balloon, menus.optionsMenu);
}

void CNoteDlg::OnTrayGesture(TrayIcon::Gesture gesture)
{
    HandleTrayGesture(gesture, *this);
}

void CNoteDlg::showOptionsMenuAt(QPoint pos)
{
    menus.optionsMenu->popup(pos);
}
