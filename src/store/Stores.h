#pragma once
// The four store files in the data folder. Each reader falls back as documented
// (factory content or nothing) and never throws; a file it could not fully understand is
// first copied to "<name>.damaged" so the next save does not destroy it. Each writer
// replaces its file atomically (temporary file, fsync, rename), so a failed save leaves
// the old file whole. Store files are created 0600.

#include "model/Collections.h"
#include "model/SNote.h"
#include "model/Settings.h"
#include "store/StoreFile.h"

#include <string>
#include <vector>

namespace store {

// "$XDG_DATA_HOME/Pinleaf/", else "$HOME/.local/share/Pinleaf/" (with the trailing slash).
std::string DataFolder();
// Creates the folder and any missing parents, mode 0700. Returns false when the folder
// is not usable.
bool CreateDataFolder(const std::string& folder);
// What only this machine keeps: "$XDG_STATE_HOME/pinleaf/", else
// "$HOME/.local/state/pinleaf/" (with the trailing slash). Made like the data folder.
std::string StateFolder();

// The notes closed lately, oldest first, in the notes store's format (state folder).
inline constexpr const char* kClosedNotesFile = "closed.log";

inline constexpr const char* kSettingsFile = "file1.dat";
inline constexpr const char* kTemplatesFile = "data1.log";
inline constexpr const char* kNotesFile = "data2.log";
inline constexpr const char* kCategoriesFile = "data3.log";

// Removes the temporary files a save or a damaged-file copy interrupted by a crash left
// beside the four stores ("<store>.tmp-XXXXXX", "<store>.damaged.tmp-XXXXXX"). Only
// the copy that holds the instance lock may call it.
void RemoveLeftoverTemporaryFiles(const std::string& folder);

// Each reader notes in damage (when given) a file it found damaged and could not copy
// aside; each writer given the same damage copies such a file before it replaces it
// (see ReadStoreFile). Writers return why they failed.

// baseFont supplies the font fields the stores do not hold.
ReadOutcome ReadTemplates(const std::string& folder, Templates& templates, const LogFont& baseFont,
                          const SystemTime& now, UncopiedDamage* damage = nullptr);
StoreResult WriteTemplates(const std::string& folder, const Templates& templates,
                           UncopiedDamage* damage = nullptr);

// The notes completely read before any damage, in file order.
std::vector<SNote> ReadNotes(const std::string& folder, const LogFont& baseFont,
                             ReadOutcome* outcome = nullptr, UncopiedDamage* damage = nullptr);
StoreResult WriteNotes(const std::string& folder, const std::vector<SNote>& notes,
                       UncopiedDamage* damage = nullptr);
// The same records in another file of the notes store's format.
std::vector<SNote> ReadNotes(const std::string& folder, const char* name, const LogFont& baseFont,
                             UncopiedDamage* damage = nullptr);
StoreResult WriteNotes(const std::string& folder, const char* name, const std::vector<SNote>& notes,
                       UncopiedDamage* damage = nullptr);

ReadOutcome ReadCategories(const std::string& folder, Categories& categories,
                           UncopiedDamage* damage = nullptr);
StoreResult WriteCategories(const std::string& folder, const Categories& categories,
                            UncopiedDamage* damage = nullptr);

// Returns false when the defaults were applied (missing or short file); panelLeft and
// panelTop then still need the default position, which only the panel knows.
bool ReadSettings(const std::string& folder, SSettings& settings, ReadOutcome* outcome = nullptr,
                  UncopiedDamage* damage = nullptr);
StoreResult WriteSettings(const std::string& folder, const SSettings& settings,
                          UncopiedDamage* damage = nullptr);

} // namespace store
