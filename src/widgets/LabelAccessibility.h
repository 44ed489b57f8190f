#pragma once
// What assistive technology reads from the program's own drawn widgets: the note labels
// read as static text with their text as name, the link labels as push buttons, and a
// note window is named after the first line of its text.

// Registers the interfaces once; every label constructor calls it.
void InstallLabelAccessibility();
