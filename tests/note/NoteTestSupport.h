#pragma once
// Shared by the note window tests: one fake desktop and one fake panel per test.

#include "note/FakeNoteHost.h"
#include "widgets/MyStatic.h"
#include "note/Note.h"
#include "widgets/Menus.h"
#include "support/FakePlatform.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

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
    static std::vector<int> Checked(QMenu* menu, int first, int last)
    {
        std::vector<int> ids;
        for (int id = first; id <= last; ++id)
            if (IsChecked(menu, id))
                ids.push_back(id);
        return ids;
    }
};
