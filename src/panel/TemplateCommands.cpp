#include "panel/TemplateCommands.h"

#include "widgets/Menus.h"
#include "platform/Text.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include <algorithm>

namespace {

constexpr int kFirstCategory = 200;
constexpr int kLastCategory = 229;
constexpr int kMaxCategoryItems = 29;
constexpr int kEditCategories = 230;
constexpr int kDefaultItem = 105;

// The stored bytes ride along with the item: its text went through ToQt, which is not
// reversible for bytes that are not UTF-8.
constexpr const char* kCategoryBytes = "categoryBytes";

struct FieldRange {
    int first;    // command of field value 0
    int last;     // last command that sets the field
    int markLast; // last id of the menu's radio range
    int SNote::*field;
};

constexpr FieldRange kFieldRanges[] = {
    {80, 83, 84, &SNote::signatureKind},
    {110, 115, 115, &SNote::size},
    {120, 127, 127, &SNote::shape},
    {140, 151, 150, &SNote::color},
};

QMenu* MenuOf(const TemplateMenus& menus, int first)
{
    switch (first) {
    case 80:
        return menus.signatureMenu;
    case 110:
        return menus.templateSizeMenu;
    case 120:
        return menus.templateStyleMenu;
    case 140:
        return menus.templateColorMenu;
    default:
        return nullptr;
    }
}

} // namespace

bool ApplyTemplateFieldCommand(SNote& t, int id, const std::string& categoryText)
{
    if (id >= kFirstCategory && id <= kLastCategory) {
        t.category = categoryText;
        return true;
    }
    for (const FieldRange& range : kFieldRanges) {
        if (id >= range.first && id <= range.last) {
            t.*range.field = id - range.first;
            return true;
        }
    }
    return false;
}

void MarkTemplateFieldCommand(const TemplateMenus& menus, int id)
{
    if (id >= kFirstCategory && id <= kLastCategory) {
        if (menus.categoryMenu)
            CheckRadio(menus.categoryMenu, kFirstCategory, kLastCategory, id);
        return;
    }
    for (const FieldRange& range : kFieldRanges) {
        if (id >= range.first && id <= range.last) {
            CheckRadioValue(MenuOf(menus, range.first), range.first, range.markLast,
                            id - range.first);
            return;
        }
    }
}

void PrepareTemplateMenuMarks(const TemplateMenus& menus, const SNote& t,
                              const Categories& categories)
{
    // No equal entry (-1), or one past the menu's 29 items, leaves no category marked.
    CheckRadioValue(menus.categoryMenu, kFirstCategory, kLastCategory, categories.find(t.category));
    for (const FieldRange& range : kFieldRanges)
        CheckRadioValue(MenuOf(menus, range.first), range.first, range.markLast, t.*range.field);
    if (menus.templateMenu)
        CheckItem(menus.templateMenu, kDefaultItem, t.isDefault);
}

void RefillCategoryMenu(QMenu* categoryMenu, const Categories& categories)
{
    categoryMenu->clear();
    const int shown = std::min(categories.count(), kMaxCategoryItems);
    for (int i = 0; i < shown; ++i) {
        const std::string name = categories.get(i);
        QAction* item = AddItem(categoryMenu, ToQt(name), kFirstCategory + i);
        item->setProperty(kCategoryBytes,
                          QByteArray(name.data(), static_cast<qsizetype>(name.size())));
    }
    categoryMenu->addSeparator();
    AddItem(categoryMenu, QCoreApplication::translate("PanelMenus", "Edit..."), kEditCategories);
}

std::string CategoryCommandText(QMenu* categoryMenu, int id)
{
    if (!categoryMenu || id < kFirstCategory || id > kLastCategory)
        return {};
    QAction* item = FindItem(categoryMenu, id);
    if (!item)
        return {};
    const QVariant bytes = item->property(kCategoryBytes);
    if (bytes.isValid())
        return bytes.toByteArray().toStdString();
    return FromQt(item->text());
}
