#pragma once
// Everything the four stores hold, written and read as one: the exit save, the
// recovery snapshot beside the stores, and the copies kept when someone else changed a
// store while the program ran.

#include "store/Stores.h"

#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

namespace store {

struct Session {
    SSettings settings;
    Categories categories;
    Templates templates;
    std::vector<SNote> notes;
};

// Writes the four stores into folder, settings first and notes last; stops at the first
// failure (LastWriteError() says why) and names the file in failedFile when given.
bool WriteSession(const std::string& folder, const Session& session,
                  std::string* failedFile = nullptr);

// The snapshot of a running session lives in this folder inside the data folder.
inline constexpr const char* kRecoveryFolder = "recovery/";

enum class SnapshotState {
    None,     // no snapshot: the last run ended cleanly
    Restored, // session holds the snapshot's content
    Damaged,  // a snapshot was there but not whole; damaged files kept as ".damaged"
};

// Creates the recovery folder (0700) and writes the session into it.
bool WriteSnapshot(const std::string& dataFolder, const Session& session);
SnapshotState ReadSnapshot(const std::string& dataFolder, Session& session, const LogFont& baseFont,
                           const SystemTime& now);
// Removes the snapshot's files and temporaries; ".damaged" copies stay.
void RemoveSnapshot(const std::string& dataFolder);
bool SnapshotExists(const std::string& dataFolder);

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
