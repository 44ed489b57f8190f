#pragma once
// "Start at login": a launcher in the user's autostart folder
// ($XDG_CONFIG_HOME/autostart, else ~/.config/autostart), named after the application id.
// Whether the program starts at login is whether that file exists.

#include <QString>

QString AutostartFile();
// The launcher's command: "pinleaf" when this program is the one PATH finds, else its
// absolute path (a build folder, a private prefix), quoted for the Exec key.
QString AutostartCommand();
bool StartsAtLogin();
// Writes (with AutostartCommand()) or removes the file. On failure returns
// false with the reason in error.
bool SetStartAtLogin(bool on, QString* error);
// At start, while the program starts at login: a launcher whose Exec is not this
// program's command (written by another copy, or by this one before PATH found it) is
// written anew. False, with the reason in error, when that fails.
bool RefreshStartAtLogin(QString* error);
