#include "platform/Menus.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

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
