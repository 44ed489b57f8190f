#pragma once
// Sorting reorders the templates collection itself (the list shows it in that order).

#include "model/Collections.h"

// Keys: 0 text, 1 category, 2 date, 3 colour, 4 style, 5 size, 6 default (default first).
// The same key as the previous sort reverses the current order instead; lastSortKey
// then takes key. Text keys compare byte-wise; dates compare by their time fields, so
// the order is chronological. Equal keys may change their relative order. A key outside
// 0..6 has nothing to compare and leaves the order alone (a repeat still reverses).
void SortTemplates(Templates& templates, int key, int& lastSortKey);
