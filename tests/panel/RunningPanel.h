#pragma once
// A started panel with a fake desktop, fake key grabs and a fake tray icon, and the
// small readers the integration tests share: list rows, store files, open notes.

#include "panel/NoteDlg.h"
#include "panel/PanelTestSupport.h"

#include "model/SNote.h"
#include "support/FakePlatform.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CNote;

class RunningPanel : public ::testing::Test {
protected:
    void SetUp() override { folder = FreshDataFolder(); }
    void TearDown() override { panel.reset(); }

    std::string file(const char* name) const { return folder + name; }
    // A settings file, so that the start is not a first start.
    void WriteSettings(int hotKeyMode = 0, bool visible = true);
    // Starts a new panel (the previous one, if any, is dropped first without saving).
    void Start();
    // A notes store written by the program's own writer.
    void WriteNotes(const std::vector<SNote>& notes);
    // Exit (command 54): writes every store.
    void Exit();

    // The template of row as the list's right-click leaves it: its menu opened (and
    // closed again), so that template commands act on it.
    void ChooseTemplate(int row);
    // The texts of one row of the template list, columns 0 to 6.
    QStringList Row(int row) const;
    int RowCount() const;
    // The open notes in slot order; a closed slot is null.
    std::vector<CNote*> Slots() const;
    std::vector<CNote*> OpenNotes() const;
    // The notes store as the program would read it.
    std::vector<SNote> StoredNotes() const;
    // The count at the head of the notes store, or nothing when it is shorter than 4 bytes.
    std::optional<int> StoredNoteCount() const;

    FakePlatform fake;
    std::string folder;
    FakeHotKeyGrabber* keys = nullptr;
    FakeTrayIcon* tray = nullptr;
    std::unique_ptr<CNoteDlg> panel;
};

// A note record with the given text and place; everything else as a factory template.
SNote NoteRecord(const std::string& text, int left, int top, bool minimized = false);
// A note made on another machine, at its own second (and its own place).
SNote Made(const std::string& text, int second);
