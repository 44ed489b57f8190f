#pragma once
// The texts a template shows in the panel's list and sorts by: fixed name tables for
// colour, style and size, and the creation time as local-time text.

#include "model/SNote.h"

#include <string>

// "Red" .. "White", "Random"; anything above 10 (or below 0, from a damaged store) reads "Random".
const char* ColorName(int color);
// "Rectangle" .. "Random"; above 7 or below 0 reads "Random". The sixth name is "cut TL,BR",
// lower case, unlike the menus.
const char* StyleName(int shape);
// "120 x 140" .. "175 x 135"; above 5 or below 0 reads "132 x 152".
const char* SizeName(int size);
// Position of the colour icon: the colour, or 10 (random) when out of range.
int ColorImageIndex(int color);

// The creation time run through mktime as local time and formatted back with strftime.
// A year before 1900 stands for the time value 0. Empty when the time cannot be
// represented or the text would exceed 127 characters.
std::string FormatCreated(const SystemTime& created, const char* format);
// The list's date column: "%d/%m/%y %H:%M".
std::string CreatedColumnText(const SystemTime& created);
