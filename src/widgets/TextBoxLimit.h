#pragma once
// An editor without scrolling takes no input that would not fit in its box: a typed
// character, a line break or a paste that would push text below the bottom is taken
// back at once, as a plain edit control without automatic scrolling refuses it, so the
// user never types text the note cannot show. Deleting always works, also in a text
// that was too long to begin with.

class QPlainTextEdit;

void LimitToVisibleBox(QPlainTextEdit* editor);
