#pragma once
// Everything the four stores hold, written and read as one: the exit save, the
// recovery snapshot in the state folder, and the copies kept when someone else changed a
// store while the program ran.

#include "store/Stores.h"

#include <map>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace store {

struct Session {
    SSettings settings;
    Categories categories;
    Templates templates;
    std::vector<SNote> notes;
};

// Writes the four stores into folder, settings first and notes last; stops at the first
// failure, whose error names the file. The settings go to settingsFolder when one is
// given. damage: see Stores.h.
StoreResult WriteSession(const std::string& folder, const Session& session,
                         const std::string& settingsFolder = {}, UncopiedDamage* damage = nullptr);

// The snapshot of a running session lives in this folder inside the data folder's own
// state folder (StateFolderFor); the functions below take that state folder. Earlier
// versions kept it inside the data folder.
inline constexpr const char* kRecoveryFolder = "recovery/";
// Inside it, the stores' bytes as the session last read or wrote them: what a restore
// merges a store changed on disk since against. Part of the snapshot, removed with it.
inline constexpr const char* kSeenFolder = "seen/";

enum class SnapshotState {
    None,     // no snapshot: the last run ended cleanly
    Restored, // session holds the snapshot's content
    Partial,  // some stores came back whole; the others are to be read from the stores
    Damaged,  // a snapshot was there, but no part of it was whole
};

// What a read of the snapshot gave back and what it moved out of the way.
struct SnapshotRead {
    SnapshotState state = SnapshotState::None;
    bool settings = false, categories = false, templates = false, notes = false;
    // Each file or folder that was not the user's own real file (or folder) and was set
    // aside unread: its path, and the name it was kept under (empty: it could not move).
    std::vector<std::pair<std::string, std::string>> setAside;
};

// Creates the recovery folder (0700) and writes the session into it; the error's
// message() says what failed for the user.
StoreResult WriteSnapshot(const std::string& stateFolder, const Session& session,
                          UncopiedDamage* damage = nullptr);
// Reads what the snapshot holds into session. Only a real folder of the user's and
// regular files of the user's are read; anything else is set aside. Each file that
// does not read whole is kept under a ".damaged" name and leaves the snapshot, so the
// snapshot then holds only what was restored. A restored file with damage that could
// not be copied stays marked in damage for the next WriteSnapshot.
SnapshotRead ReadSnapshot(const std::string& stateFolder, Session& session, const LogFont& baseFont,
                          const SystemTime& now, UncopiedDamage* damage = nullptr);
// Removes the snapshot's files and temporaries; ".damaged" copies stay.
void RemoveSnapshot(const std::string& stateFolder);
bool SnapshotExists(const std::string& stateFolder);
// Moves the snapshot files (and the ".damaged" copies of them) from one folder's "recovery/" into
// another's, made 0700, and removes the old "recovery/" when it is left empty. Only
// regular files of the user's move; anything else stays where it is. Returns false when
// something could not move.
bool MoveSnapshot(const std::string& fromFolder, const std::string& toFolder);

// What a store file was when the program read it.
struct StoreStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    long long size = 0;
    long long modifiedNs = 0;
    bool operator==(const StoreStamp&) const = default;
};
using StoreStamps = std::map<std::string, StoreStamp>;

StoreStamps TakeStoreStamps(const std::string& folder);
// Each store that changed on disk since stamps were taken is kept as
// "<name>.conflict-YYYYMMDD-HHMMSS" (hard link, else copy). Returns the names kept.
std::vector<std::string> KeepConflictCopies(const std::string& folder, const StoreStamps& stamps,
                                            const SystemTime& now);

} // namespace store
