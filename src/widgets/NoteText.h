#pragma once
// Note text as the labels and the editor want it: line breaks are stored as CR LF (as
// the stores have always held them) and shown as plain line feeds.

#include <QString>

#include <string>

QString NoteTextToQt(const std::string& bytes);
std::string NoteTextFromQt(const QString& text);

// The text as a word-wrapped label shows it. A stretch with no place to break a line
// stays on one line and is cut off at the label's edge, so all of it beyond its first
// few thousand characters never shows; leaving that out keeps the painting of a
// megabyte pasted as one line as quick as that of a short note. Same pixels.
QString WrappedLabelText(const QString& text);

// The note window's name in window lists and for screen readers: the first line that
// holds more than blanks, its blanks evened out, at most kTitleChars characters (cut
// ones end in "..."); "Pinleaf note" for a note without text.
inline constexpr qsizetype kTitleChars = 60;
QString NoteTitle(const QString& text);
