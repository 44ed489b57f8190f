#pragma once
// Note text as the labels and the editor want it: line breaks are stored as CR LF (as
// the stores have always held them) and shown as plain line feeds.

#include <QString>

#include <string>

QString NoteTextToQt(const std::string& bytes);
std::string NoteTextFromQt(const QString& text);
