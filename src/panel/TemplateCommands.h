#pragma once
// The template menu's field commands and marks, apart from the panel: which field a
// command sets, where the radio marks go for a template, and the category menu.
//
// Field commands: FirstCategory..LastCategory the category (entry id - FirstCategory of
// the category menu), SignatureCategory..SignatureVoid the signature kind, the sizes,
// StyleRectangle..StyleRandom the shape, ColorRed..ColorLast the colour (ColorRandom the
// random value); "Default" is a check in the template menu.

#include "model/Collections.h"
#include "panel/PanelCommand.h"

#include <string>

class QMenu;

struct TemplateMenus {
    QMenu* categoryMenu = nullptr;
    QMenu* signatureMenu = nullptr;
    QMenu* templateSizeMenu = nullptr;
    QMenu* templateStyleMenu = nullptr;
    QMenu* templateColorMenu = nullptr;
    QMenu* templateMenu = nullptr;
};

// Sets the one field of t that id stands for (category = categoryText for a category).
// False, and t unchanged, for any id that is not a field command.
bool ApplyTemplateFieldCommand(SNote& t, PanelCommand id, const std::string& categoryText);

// The radio mark a field command leaves in its menu; other ids change nothing.
void MarkTemplateFieldCommand(const TemplateMenus& menus, PanelCommand id);

// Marks the menus from template t: the category of the first equal entry of categories,
// the signature kind, size, shape and colour, and the "Default" check exactly when t is
// the default. A value with no item in its menu (no equal category, a damaged number)
// leaves that menu with no mark.
void PrepareTemplateMenuMarks(const TemplateMenus& menus, const SNote& t,
                              const Categories& categories);

// Rebuilds the category menu: the first 29 categories at most (FirstCategory + i), a
// separator, "Edit..." (EditCategories).
void RefillCategoryMenu(QMenu* categoryMenu, const Categories& categories);

// The category a command FirstCategory..LastCategory stands for, exactly as stored
// (also when the bytes are not UTF-8); empty when the menu has no such item.
std::string CategoryCommandText(QMenu* categoryMenu, PanelCommand id);
