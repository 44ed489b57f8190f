#pragma once
// What belongs to this machine only stays out of the data folder, which the user may
// share between machines: the instance lock, the hand-over request and the action
// socket live in the runtime folder, the recovery snapshot in the state folder. Both
// are keyed by the data folder (one copy runs per data folder), with the key the
// socket has always been named by: the first 12 hex digits of the SHA-1 of its path.
//
//   runtime: "$XDG_RUNTIME_DIR/pinleaf/<key>/", else "<state folder>/<key>/run/"
//   state:   "$XDG_STATE_HOME/pinleaf/<key>/" (default "~/.local/state/pinleaf/<key>/")
//
// All paths end with a slash.

#include <string>

std::string DataFolderKey(const std::string& dataFolder);
std::string RuntimeFolderFor(const std::string& dataFolder);
std::string StateFolderFor(const std::string& dataFolder);
// Where "file1.dat" is kept: in the data folder, unless the data folder is shared
// between machines, where the panel's place, hot keys and "Always Top" are this
// machine's own.
std::string SettingsFolderFor(const std::string& dataFolder, bool shared);

// Creates folder and its missing parents (0700). The folder itself and the one above it
// (".../pinleaf/") must be real folders of this user's and are made 0700. Returns false
// with error set when they are not usable.
bool MakeMachineFolder(const std::string& folder, std::string* error = nullptr);
