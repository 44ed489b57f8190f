#pragma once
// Shared by the note window tests: one fake desktop and one fake panel per test.

#include "note/FakeNoteHost.h"
#include "note/Note.h"
#include "note/NoteCommand.h"
#include "support/FakePlatform.h"
#include "widgets/Menus.h"
#include "widgets/MyStatic.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

using Commands = std::vector<NoteCommand>;

inline void PrintTo(NoteCommand command, std::ostream* os)
{
    *os << Id(command);
}
inline QAction* FindItem(QMenu* menu, NoteCommand command)
{
    return FindItem(menu, Id(command));
}
inline bool IsChecked(QMenu* menu, NoteCommand command)
{
    return IsChecked(menu, Id(command));
}

class NoteTest : public ::testing::Test {
protected:
    FakePlatform fake;
    FakeNoteHost host;

    CNote* Open(const SNote& record, bool isNew = false) { return host.openNote(record, isNew); }

    // Puts the fake pointer over a point of the note and sends the event there.
    void PointAt(CNote* note, QPoint local) { fake.cursor = note->geometry().topLeft() + local; }
    void Press(CNote* note, QPoint local)
    {
        PointAt(note, local);
        QTest::mousePress(note, Qt::LeftButton, {}, local);
    }
    void Release(CNote* note, QPoint local)
    {
        PointAt(note, local);
        QTest::mouseRelease(note, Qt::LeftButton, {}, local);
    }
    void MoveTo(CNote* note, QPoint local)
    {
        PointAt(note, local);
        QTest::mouseMove(note, local);
    }

    static std::vector<QString> Texts(QMenu* menu)
    {
        std::vector<QString> texts;
        for (QAction* a : menu->actions())
            texts.push_back(a->isSeparator() ? QStringLiteral("-") : a->text());
        return texts;
    }
    static QMenu* Submenu(QMenu* menu, const QString& title)
    {
        for (QAction* a : menu->actions())
            if (a->menu() && a->text() == title)
                return a->menu();
        return nullptr;
    }
    // The marked items of the commands first..last.
    static Commands Checked(QMenu* menu, NoteCommand first, NoteCommand last)
    {
        Commands marked;
        for (int value = 0; value <= last - first; ++value)
            if (IsChecked(menu, first + value))
                marked.push_back(first + value);
        return marked;
    }
};
