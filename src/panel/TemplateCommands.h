#pragma once
// The template menu's field commands and marks, apart from the panel: which field a
// command id sets, where the radio marks go for a template, and the category menu.
//
// Ids: 200..229 category (entry id - 200 of the category menu), 230 "Edit...";
// 80..83 signature kind, 84 signature text; 110..115 size; 120..127 shape (127 random);
// 140..151 colour (150 random); 105 "Default" check in the template menu.

#include "model/Collections.h"

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

// Sets the one field of t that id stands for (category = categoryText for 200..229).
// False, and t unchanged, for any id that is not a field command.
bool ApplyTemplateFieldCommand(SNote& t, int id, const std::string& categoryText);

// The radio mark a field command leaves in its menu; other ids change nothing.
void MarkTemplateFieldCommand(const TemplateMenus& menus, int id);

// Marks the menus from template t: the category of the first equal entry of categories,
// the signature kind, size, shape and colour, and the "Default" check exactly when t is
// the default. A value with no item in its menu (no equal category, a damaged number)
// leaves that menu with no mark.
void PrepareTemplateMenuMarks(const TemplateMenus& menus, const SNote& t,
                              const Categories& categories);

// Rebuilds the category menu: the first 29 categories at most (ids 200 + i), a
// separator, "Edit..." 230.
void RefillCategoryMenu(QMenu* categoryMenu, const Categories& categories);

// The category a command 200..229 stands for, exactly as stored (also when the bytes
// are not UTF-8); empty when the menu has no such item.
std::string CategoryCommandText(QMenu* categoryMenu, int id);
