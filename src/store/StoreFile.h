#pragma once
// Opening, replacing and preserving one store file in the data folder.

#include "store/Archive.h"

#include <functional>
#include <string>

namespace store {

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
// was not understood. When the copy cannot be written, saving that file fails (see
// WriteStoreFile) until a later attempt manages the copy.
ReadOutcome ReadStoreFile(const std::string& folder, const char* name,
                          const std::function<bool(ArchiveReader&)>& read,
                          TrailingBytes trailing = TrailingBytes::Damage);

// Writes a new file beside the old one, syncs it and renames it over the old one, so a
// failure at any step leaves the previous file untouched. Files are created 0600.
// A store that is a symbolic link to a regular file of the user is written through:
// the new file goes beside the link's target and replaces it, the link stays.
// On failure LastWriteError() says why, in the system's words.
bool WriteStoreFile(const std::string& folder, const char* name,
                    const std::function<void(ArchiveWriter&)>& write);

// A name in folder for keeping name aside that nothing has yet: "<name>.damaged", then
// "<name>.damaged-YYYYMMDD-HHMMSS" (local time), then with "-2", "-3"... after it.
std::string DamagedName(const std::string& folder, const std::string& name);
// Copies folder + name to folder + DamagedName(folder, name).
bool KeepDamagedCopy(const std::string& folder, const char* name);
// Whether the last read of path found damage it could not copy yet.
bool DamageUncopied(const std::string& path);
// Moves folder + name to DamagedName(folder, name) as it is, unread; returns the new
// name, or empty when the rename failed.
std::string SetAside(const std::string& folder, const std::string& name);

// Why the last failed WriteStoreFile failed ("No space left on device").
const std::string& LastWriteError();

} // namespace store
