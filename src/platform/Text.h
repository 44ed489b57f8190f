#pragma once
// The one crossing between the record's byte strings and Qt's text and fonts.

#include "model/SNote.h"

#include <QFont>
#include <QString>

#include <string>

// Valid UTF-8 is read as UTF-8; anything else (stores written on Windows) as Windows-1252.
QString ToQt(const std::string& bytes);
// Text typed by the user is stored as UTF-8.
std::string FromQt(const QString& text);

// Negative height = pixel size, positive = cell height in pixels; weight 0 = normal;
// "MS Shell Dlg"/"MS Shell Dlg 2" = the desktop's default sans.
QFont ToQFont(const LogFont& font);
// Takes the fields a font dialog can change over base.
LogFont FromQFont(const QFont& font, const LogFont& base);
