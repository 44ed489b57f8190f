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

// Runs read over folder + name. read returns false for content no writer produces
// (a negative count); read errors are caught here. Either way the file is copied to
// name + ".damaged" first, so the next save cannot destroy what was not understood.
// Bytes left after what read consumed are damage too: the content read counts
// (Complete), and the copy is kept. When the copy cannot be written, saving that file
// fails (see WriteStoreFile) until a later attempt manages the copy.
ReadOutcome ReadStoreFile(const std::string& folder, const char* name,
                          const std::function<bool(ArchiveReader&)>& read);

// Writes a new file beside the old one, syncs it and renames it over the old one, so a
// failure at any step leaves the previous file untouched. Files are created 0600.
// On failure LastWriteError() says why, in the system's words.
bool WriteStoreFile(const std::string& folder, const char* name,
                    const std::function<void(ArchiveWriter&)>& write);

// Copies folder + name to folder + name + ".damaged" (replacing an older copy).
bool KeepDamagedCopy(const std::string& folder, const char* name);

// Why the last failed WriteStoreFile failed ("No space left on device").
const std::string& LastWriteError();

} // namespace store
