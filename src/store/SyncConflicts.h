#pragma once
// A data folder kept in sync by a file-sync tool: recognising such a folder, and the
// copies those tools leave when two machines changed a store at the same time.

#include <ctime>
#include <string>
#include <vector>

namespace store {

// True when the data folder, or a folder above it up to the home folder (up to the root
// for a folder outside home), carries a sync tool's marker: Syncthing's ".stfolder",
// Nextcloud's or ownCloud's ".sync_*.db", "._sync_*.db" or ".owncloudsync.log", or the
// ".dropbox" file of a Dropbox folder. Symbolic links are resolved first.
bool IsSharedFolder(const std::string& dataFolder);
// The same with the home folder given (HOME otherwise).
bool IsSharedFolder(const std::string& dataFolder, const std::string& home);

struct SyncConflict {
    std::string store; // one of the four store names, e.g. "data2.log"
    std::string path;  // the conflict copy
};

// The store whose conflict copy a sync tool named fileName, or "" when it is none:
//   Syncthing  "data2.sync-conflict-20240131-235959-ABCDEF7.log"
//   Nextcloud  "data2 (conflicted copy 2024-01-31 235959).log"
//   Dropbox    "data2 (Jane's conflicted copy 2024-01-31).log"
// Each tool puts its mark before the last extension ("file1.<mark>.dat" likewise).
std::string SyncConflictStore(const std::string& fileName);

// The sync tools' conflict copies of the four stores in folder, in name order.
std::vector<SyncConflict> FindSyncConflicts(const std::string& folder);

// Once a conflict copy is merged it moves into conflictsFolder (created 0700 with its
// parents), dated now, under a free name; files there older than 30 days go. A file
// that cannot be moved stays where it is and false is returned.
bool KeepFoldedConflict(const std::string& path, const std::string& conflictsFolder);
// Removes the files in conflictsFolder last modified more than 30 days before now.
void PruneConflicts(const std::string& conflictsFolder, std::time_t now);

inline constexpr int kConflictKeepDays = 30;

} // namespace store
