#pragma once
// The content a first start (or a damaged store) falls back to.

#include "model/Collections.h"
#include "model/SNote.h"

// "Arial", height -11, everything else 0.
LogFont FactoryFont();
// Clears templates, then appends the three factory templates stamped with now.
void LoadFactoryTemplates(Templates& templates, const SystemTime& now);
// Clears categories, then appends the thirteen factory names.
void LoadFactoryCategories(Categories& categories);
