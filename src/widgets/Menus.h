#pragma once
// Menus are built in code; every item carries its command id, and marks are set
// "by command id over a range", searching submenus too.

#include <QString>

class QAction;
class QCoreApplication;
class QMenu;

// Shift+F10 anywhere in the program opens the focused widget's context menu, as the
// Menu key does (the same keyboard context-menu event). Installs once.
void OpenContextMenusOnShiftF10(QCoreApplication* app);

// Appends an item that carries id; a triggered item reports its id through CommandId().
// Items become checkable only while they carry a mark.
QAction* AddItem(QMenu* menu, const QString& text, int id);
// Appends a disabled title item with no command.
QAction* AddTitle(QMenu* menu, const QString& text);
QMenu* AddSubmenu(QMenu* menu, const QString& text, QMenu* submenu);
int CommandId(const QAction* action);
// The item with this id in menu or its submenus, or nullptr.
QAction* FindItem(QMenu* menu, int id);
// Clears the radio mark of every item with an id in [first, last], then puts it on id.
// When id has no item in the range, no item of the range is marked.
void CheckRadio(QMenu* menu, int first, int last, int id);
// Marks the item first + value of a group whose values run 0..last - first. Values
// outside (a damaged store can hold any) have no item: the range is left unmarked.
void CheckRadioValue(QMenu* menu, int first, int last, long long value);
// A check mark on one item.
void CheckItem(QMenu* menu, int id, bool checked);
// Whether the item carries a (radio or check) mark.
bool IsChecked(QMenu* menu, int id);
