#pragma once
// "Start at login": a launcher in the user's autostart folder
// ($XDG_CONFIG_HOME/autostart, else ~/.config/autostart), named after the application id.
// Whether the program starts at login is whether that file exists.

#include <QString>

QString AutostartFile();
bool StartsAtLogin();
// Writes (this program's path as the command) or removes the file. On failure returns
// false with the reason in error.
bool SetStartAtLogin(bool on, QString* error);
