#include "panel/TemplateCommands.h"

#include "platform/Text.h"
#include "widgets/Menus.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include <algorithm>

namespace {

using enum PanelCommand;

constexpr int kMaxCategoryItems = LastCategory - FirstCategory;

// The stored bytes ride along with the item: its text went through ToQt, which is not
// reversible for bytes that are not UTF-8.
constexpr const char* kCategoryBytes = "categoryBytes";

struct FieldRange {
    PanelCommand first;    // command of field value 0
    PanelCommand last;     // last command that sets the field
    PanelCommand markLast; // last id of the menu's radio range
    int SNote::*field;
    QMenu* TemplateMenus::*menu;
};

constexpr FieldRange kFieldRanges[] = {
    {SignatureCategory, SignatureVoid, SignatureText, &SNote::signatureKind,
     &TemplateMenus::signatureMenu},
    {Size120x140, Size175x135, Size175x135, &SNote::size, &TemplateMenus::templateSizeMenu},
    {StyleRectangle, StyleRandom, StyleRandom, &SNote::shape, &TemplateMenus::templateStyleMenu},
    {ColorRed, ColorLast, ColorRandom, &SNote::color, &TemplateMenus::templateColorMenu},
};

} // namespace

bool ApplyTemplateFieldCommand(SNote& t, PanelCommand id, const std::string& categoryText)
{
    if (InRange(id, FirstCategory, LastCategory)) {
        t.category = categoryText;
        return true;
    }
    for (const FieldRange& range : kFieldRanges) {
        if (InRange(id, range.first, range.last)) {
            t.*range.field = id - range.first;
            return true;
        }
    }
    return false;
}

void MarkTemplateFieldCommand(const TemplateMenus& menus, PanelCommand id)
{
    if (InRange(id, FirstCategory, LastCategory)) {
        if (menus.categoryMenu)
            CheckRadio(menus.categoryMenu, Id(FirstCategory), Id(LastCategory), Id(id));
        return;
    }
    for (const FieldRange& range : kFieldRanges) {
        if (InRange(id, range.first, range.last)) {
            CheckRadioValue(menus.*range.menu, Id(range.first), Id(range.markLast),
                            id - range.first);
            return;
        }
    }
}

void PrepareTemplateMenuMarks(const TemplateMenus& menus, const SNote& t,
                              const Categories& categories)
{
    // No equal entry (-1), or one past the menu's 29 items, leaves no category marked.
    CheckRadioValue(menus.categoryMenu, Id(FirstCategory), Id(LastCategory),
                    categories.find(t.category));
    for (const FieldRange& range : kFieldRanges)
        CheckRadioValue(menus.*range.menu, Id(range.first), Id(range.markLast), t.*range.field);
    if (menus.templateMenu)
        CheckItem(menus.templateMenu, Id(Default), t.isDefault);
}

void RefillCategoryMenu(QMenu* categoryMenu, const Categories& categories)
{
    categoryMenu->clear();
    const int shown = std::min(categories.count(), kMaxCategoryItems);
    for (int i = 0; i < shown; ++i) {
        const std::string name = categories.get(i);
        QAction* item = AddItem(categoryMenu, ToQt(name), Id(FirstCategory + i));
        item->setProperty(kCategoryBytes,
                          QByteArray(name.data(), static_cast<qsizetype>(name.size())));
    }
    categoryMenu->addSeparator();
    AddItem(categoryMenu, QCoreApplication::translate("PanelMenus", "Edit..."), Id(EditCategories));
}

std::string CategoryCommandText(QMenu* categoryMenu, PanelCommand id)
{
    if (!categoryMenu || !InRange(id, FirstCategory, LastCategory))
        return {};
    QAction* item = FindItem(categoryMenu, Id(id));
    if (!item)
        return {};
    const QVariant bytes = item->property(kCategoryBytes);
    if (bytes.isValid())
        return bytes.toByteArray().toStdString();
    return FromQt(item->text());
}
