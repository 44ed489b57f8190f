#pragma once
// Choices that belong to this machine rather than to the notes (which may be shared
// with other machines): kept in $XDG_CONFIG_HOME/pinleaf/pinleaf.conf
// (else ~/.config/pinleaf/pinleaf.conf), never in the data folder.

#include <QString>

QString MachineSettingsFile();

// "On all desktops": notes and the panel show on every workspace.
bool OnAllDesktopsSetting();
bool SetOnAllDesktopsSetting(bool on);

// "Shared folder": the data folder is kept in sync with other machines by a file-sync
// tool that leaves no marker Pinleaf recognises.
bool SharedFolderSetting();
bool SetSharedFolderSetting(bool on);
