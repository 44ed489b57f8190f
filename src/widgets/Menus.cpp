#include "widgets/Menus.h"

#include <QAction>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

namespace {

// Turns Shift+F10 into the keyboard context-menu event the toolkit makes of the Menu
// key, for the widget the key went to, at its text cursor or current item. A key
// nobody takes a menu for goes on as a key.
class ShiftF10Menus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier)
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (!widget->isEnabled())
            return false;
        const QPoint at = widget->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, widget->mapToGlobal(at),
                               key->modifiers());
        QCoreApplication::sendEvent(widget, &menu);
        return menu.isAccepted();
    }
};

} // namespace

void OpenContextMenusOnShiftF10(QCoreApplication* app)
{
    const QString name = QStringLiteral("ShiftF10Menus");
    if (app->findChild<QObject*>(name, Qt::FindDirectChildrenOnly))
        return;
    auto* filter = new ShiftF10Menus(app);
    filter->setObjectName(name);
    app->installEventFilter(filter);
}

QAction* AddItem(QMenu* menu, const QString& text, int id)
{
    QAction* action = menu->addAction(text);
    action->setData(id);
    return action;
}

QAction* AddTitle(QMenu* menu, const QString& text)
{
    QAction* action = menu->addAction(text);
    action->setEnabled(false);
    return action;
}

QMenu* AddSubmenu(QMenu* menu, const QString& text, QMenu* submenu)
{
    submenu->setTitle(text);
    menu->addMenu(submenu);
    return submenu;
}

int CommandId(const QAction* action)
{
    if (!action || !action->data().isValid())
        return 0;
    return action->data().toInt();
}

QAction* FindItem(QMenu* menu, int id)
{
    for (QAction* action : menu->actions()) {
        if (action->menu()) {
            if (QAction* found = FindItem(action->menu(), id))
                return found;
        } else if (!action->isSeparator() && action->data().isValid() && CommandId(action) == id) {
            return action;
        }
    }
    return nullptr;
}

namespace {

// Only a marked item is checkable, so unmarked items show no empty box beside them.
void SetMark(QAction* action, bool marked)
{
    action->setCheckable(marked);
    action->setChecked(marked);
}

void ClearRange(QMenu* menu, int first, int last)
{
    for (QAction* action : menu->actions()) {
        if (action->menu())
            ClearRange(action->menu(), first, last);
        else if (action->data().isValid() && CommandId(action) >= first &&
                 CommandId(action) <= last)
            SetMark(action, false);
    }
}

// A menu's radio items share an exclusive action group: that is what makes the style
// draw a bullet instead of a check mark. Each menu holds at most one radio range.
void ShowAsRadio(QAction* action, QMenu* fallbackOwner)
{
    if (action->actionGroup())
        return;
    QObject* owner = action->parent() ? action->parent() : fallbackOwner;
    auto* group =
        owner->findChild<QActionGroup*>(QStringLiteral("radio marks"), Qt::FindDirectChildrenOnly);
    if (!group) {
        group = new QActionGroup(owner);
        group->setObjectName(QStringLiteral("radio marks"));
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    }
    group->addAction(action);
}

} // namespace

void CheckRadio(QMenu* menu, int first, int last, int id)
{
    if (!menu)
        return;
    ClearRange(menu, first, last);
    QAction* target = id >= first && id <= last ? FindItem(menu, id) : nullptr;
    if (!target)
        return;
    ShowAsRadio(target, menu);
    SetMark(target, true);
}

void CheckRadioValue(QMenu* menu, int first, int last, long long value)
{
    // Out-of-range values become an id outside the range: the range is cleared.
    const bool inRange = value >= 0 && value <= static_cast<long long>(last) - first;
    CheckRadio(menu, first, last, inRange ? first + static_cast<int>(value) : first - 1);
}

void CheckItem(QMenu* menu, int id, bool checked)
{
    if (QAction* action = FindItem(menu, id))
        SetMark(action, checked);
}

bool IsChecked(QMenu* menu, int id)
{
    QAction* action = FindItem(menu, id);
    return action && action->isChecked();
}
