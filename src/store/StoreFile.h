#pragma once
// Opening, replacing and preserving one store file in the data folder.

#include "store/Archive.h"
#include "store/StoreResult.h"

#include <functional>
#include <mutex>
#include <set>
#include <string>

namespace store {

// The store files read with damage that could not be copied aside: none of them may be
// replaced until its copy is made. Whoever reads the stores and later writes them keeps
// one and gives it to both; it may be shared with a worker thread.
class UncopiedDamage {
public:
    void mark(const std::string& path, bool uncopied);
    bool contains(const std::string& path) const;

private:
    mutable std::mutex lock_;
    std::set<std::string> paths_;
};

enum class ReadOutcome {
    NotOpened, // missing, not a regular file, or no access
    Complete,  // the whole content was as a writer leaves it
    Damaged,   // a read error or an impossible value; a copy was kept beside the file
    Empty,     // a file of no bytes: nothing to keep, the reader's fallback applies
};

// Suffix of the copy a damaged store leaves beside itself before it gets rewritten.
inline constexpr const char* kDamagedSuffix = ".damaged";

// What bytes after the content a reader understood are.
enum class TrailingBytes {
    Damage,  // the content read counts, and a copy is kept
    Ignored, // the format says readers ignore them
};

// Runs read over folder + name. read returns false for content no writer produces
// (a negative count); read errors are caught here. Either way the file is copied to a
// free ".damaged" name first (see DamagedName), so the next save cannot destroy what
// was not understood. When the copy cannot be written, the file is marked in damage
// (when given), and saving it with the same damage fails (see WriteStoreFile) until a
// later attempt manages the copy.
ReadOutcome ReadStoreFile(const std::string& folder, const char* name,
                          const std::function<bool(ArchiveReader&)>& read, UncopiedDamage* damage,
                          TrailingBytes trailing = TrailingBytes::Damage);

// Writes a new file beside the old one, syncs it and renames it over the old one, so a
// failure at any step leaves the previous file untouched. Files are created 0600.
// A store that is a symbolic link to a regular file of the user is written through:
// the new file goes beside the link's target and replaces it, the link stays.
// A file damage marks is copied aside first. The error names folder + name.
StoreResult WriteStoreFile(const std::string& folder, const char* name,
                           const std::function<void(ArchiveWriter&)>& write,
                           UncopiedDamage* damage);

// A name in folder for keeping name aside that nothing has yet: "<name>.damaged", then
// "<name>.damaged-YYYYMMDD-HHMMSS" (local time), then with "-2", "-3"... after it.
std::string DamagedName(const std::string& folder, const std::string& name);
// Copies folder + name to folder + DamagedName(folder, name).
StoreResult KeepDamagedCopy(const std::string& folder, const char* name);
// Moves folder + name to DamagedName(folder, name) as it is, unread, and unmarks it in
// damage; returns the new name, or empty when the rename failed.
std::string SetAside(const std::string& folder, const std::string& name,
                     UncopiedDamage* damage = nullptr);

} // namespace store
