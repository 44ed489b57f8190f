#include "store/Session.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

namespace {

constexpr const char* kStoreFiles[] = {kSettingsFile, kCategoriesFile, kTemplatesFile, kNotesFile};

StoreStamp StampOf(const std::string& path)
{
    StoreStamp stamp;
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0)
        return stamp;
    stamp.exists = true;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.modifiedNs =
        static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return stamp;
}

bool CopyFile(const std::string& from, const std::string& to)
{
    ArchiveReader reader;
    if (!reader.open(from))
        return false;
    const std::size_t slash = to.rfind('/');
    const std::string folder = to.substr(0, slash + 1);
    const std::string name = to.substr(slash + 1);
    std::string bytes;
    bytes.resize(reader.fileSize());
    for (char& c : bytes)
        c = static_cast<char>(reader.readByte());
    return static_cast<bool>(WriteStoreFile(
        folder, name.c_str(),
        [&](ArchiveWriter& out) {
            for (char c : bytes)
                out.writeByte(static_cast<std::uint8_t>(c));
        },
        nullptr));
}

} // namespace

StoreResult WriteSession(const std::string& folder, const Session& session,
                         const std::string& settingsFolder, UncopiedDamage* damage)
{
    if (StoreResult written = WriteSettings(settingsFolder.empty() ? folder : settingsFolder,
                                            session.settings, damage);
        !written)
        return written;
    if (StoreResult written = WriteCategories(folder, session.categories, damage); !written)
        return written;
    if (StoreResult written = WriteTemplates(folder, session.templates, damage); !written)
        return written;
    return WriteNotes(folder, session.notes, damage);
}

namespace {

// The recovery folder without its slash, as lstat and rename want it.
std::string RecoveryPath(const std::string& dataFolder)
{
    return dataFolder + std::string(kRecoveryFolder, std::strlen(kRecoveryFolder) - 1);
}

// Whether path is a folder of the user's own, not a link to one.
bool OwnFolder(const std::string& path)
{
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid();
}

// Sets aside each snapshot file that is not a regular file of the user's (a link, a
// folder, a FIFO, a file another user planted): it is neither followed nor read.
void SetAsideStrangers(const std::string& folder, SnapshotRead& result, UncopiedDamage& damage)
{
    for (const char* name : kStoreFiles) {
        struct stat st {};
        if (lstat((folder + name).c_str(), &st) != 0)
            continue;
        if (S_ISREG(st.st_mode) && st.st_uid == geteuid())
            continue;
        const std::string kept = SetAside(folder, name, &damage);
        result.setAside.emplace_back(folder + name, kept);
    }
}

// A file that did not come back leaves the snapshot; its content stays as a
// ".damaged" copy (made by the read, or by moving the file when the read made none).
void KeepWhatWasNotRestored(const std::string& folder, const char* name, ReadOutcome outcome,
                            UncopiedDamage& damage)
{
    const std::string path = folder + name;
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0)
        return;
    const bool copied = outcome == ReadOutcome::Damaged && !damage.contains(path);
    if (copied || st.st_size == 0)
        unlink(path.c_str());
    else
        SetAside(folder, name, &damage);
}

} // namespace

StoreResult WriteSnapshot(const std::string& dataFolder, const Session& session,
                          UncopiedDamage* damage)
{
    const std::string folder = dataFolder + kRecoveryFolder;
    const std::string path = RecoveryPath(dataFolder);
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return SystemError(errno, path);
    // Never into a link or a folder of another user: what is written there comes back.
    if (!OwnFolder(path))
        return StoreError{0, path, "is not a folder of this user"};
    return WriteSession(folder, session, {}, damage);
}

bool SnapshotExists(const std::string& dataFolder)
{
    const std::string folder = dataFolder + kRecoveryFolder;
    struct stat st {};
    for (const char* name : kStoreFiles)
        if (lstat((folder + name).c_str(), &st) == 0)
            return true;
    return false;
}

SnapshotRead ReadSnapshot(const std::string& dataFolder, Session& session, const LogFont& baseFont,
                          const SystemTime& now, UncopiedDamage* damage)
{
    // What this read finds is needed for the files that leave the snapshot, also when
    // nobody writes the snapshot afterwards.
    UncopiedDamage own;
    UncopiedDamage& found = damage ? *damage : own;
    SnapshotRead result;
    const std::string path = RecoveryPath(dataFolder);
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0)
        return result;
    if (!OwnFolder(path)) {
        const std::string kept = SetAside(dataFolder, path.substr(dataFolder.size()), &found);
        result.setAside.emplace_back(path, kept);
        return result;
    }
    if ((st.st_mode & 077) != 0)
        chmod(path.c_str(), 0700);
    if (!SnapshotExists(dataFolder))
        return result;
    const std::string folder = dataFolder + kRecoveryFolder;
    RemoveLeftoverTemporaryFiles(folder);
    SetAsideStrangers(folder, result, found);
    // All four files are always written; an empty one is a valid empty collection.
    auto whole = [](ReadOutcome outcome) {
        return outcome == ReadOutcome::Complete || outcome == ReadOutcome::Empty;
    };
    ReadOutcome settings = ReadOutcome::NotOpened;
    ReadOutcome notes = ReadOutcome::NotOpened;
    ReadSettings(folder, session.settings, &settings, &found);
    const ReadOutcome categories = ReadCategories(folder, session.categories, &found);
    const ReadOutcome templates = ReadTemplates(folder, session.templates, baseFont, now, &found);
    session.notes = ReadNotes(folder, baseFont, &notes, &found);
    result.settings = settings == ReadOutcome::Complete;
    result.categories = whole(categories);
    result.templates = whole(templates);
    result.notes = whole(notes);
    const std::pair<const char*, ReadOutcome> outcomes[] = {{kSettingsFile, settings},
                                                            {kCategoriesFile, categories},
                                                            {kTemplatesFile, templates},
                                                            {kNotesFile, notes}};
    const bool restored[] = {result.settings, result.categories, result.templates, result.notes};
    int count = 0;
    for (int i = 0; i < 4; ++i) {
        count += restored[i];
        if (!restored[i])
            KeepWhatWasNotRestored(folder, outcomes[i].first, outcomes[i].second, found);
    }
    result.state = count == 4   ? SnapshotState::Restored
                   : count == 0 ? SnapshotState::Damaged
                                : SnapshotState::Partial;
    return result;
}

void RemoveSnapshot(const std::string& dataFolder)
{
    // A folder that is not the user's is none of the snapshot's business.
    if (!OwnFolder(RecoveryPath(dataFolder)))
        return;
    const std::string folder = dataFolder + kRecoveryFolder;
    RemoveLeftoverTemporaryFiles(folder);
    for (const char* name : kStoreFiles)
        unlink((folder + name).c_str());
    const std::string seen = folder + kSeenFolder;
    if (DIR* dir = opendir(seen.c_str())) {
        while (const dirent* entry = readdir(dir))
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                unlinkat(dirfd(dir), entry->d_name, 0);
        closedir(dir);
        rmdir(seen.c_str());
    }
    rmdir(folder.c_str()); // fails while ".damaged" copies are kept there
}

bool MoveSnapshot(const std::string& fromFolder, const std::string& toFolder)
{
    if (!OwnFolder(RecoveryPath(fromFolder)))
        return false;
    const std::string to = RecoveryPath(toFolder);
    if (mkdir(to.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    if (!OwnFolder(to))
        return false;
    const std::string from = fromFolder + kRecoveryFolder;
    const std::string into = toFolder + kRecoveryFolder;
    RemoveLeftoverTemporaryFiles(from);
    // The snapshot's files and the ".damaged" copies kept of them.
    std::vector<std::string> names;
    if (DIR* dir = opendir(from.c_str())) {
        while (const dirent* entry = readdir(dir))
            for (const char* store : kStoreFiles)
                if (std::strncmp(entry->d_name, store, std::strlen(store)) == 0)
                    names.emplace_back(entry->d_name);
        closedir(dir);
    }
    bool moved = true;
    for (const std::string& name : names) {
        const std::string path = from + name;
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
            moved = false;
            continue;
        }
        // The data folder may be on another file system than the state folder.
        if (rename(path.c_str(), (into + name).c_str()) == 0 ||
            (errno == EXDEV && CopyFile(path, into + name) && unlink(path.c_str()) == 0))
            continue;
        moved = false;
    }
    rmdir(from.c_str());
    return moved;
}

StoreStamps TakeStoreStamps(const std::string& folder)
{
    StoreStamps stamps;
    for (const char* name : kStoreFiles)
        stamps[name] = StampOf(folder + name);
    return stamps;
}

std::vector<std::string> KeepConflictCopies(const std::string& folder, const StoreStamps& stamps,
                                            const SystemTime& now)
{
    std::vector<std::string> kept;
    for (const auto& [name, before] : stamps) {
        const std::string path = folder + name;
        const StoreStamp current = StampOf(path);
        if (!current.exists || current == before)
            continue;
        char when[64];
        std::snprintf(when, sizeof when, ".conflict-%04u%02u%02u-%02u%02u%02u", now.year, now.month,
                      now.day, now.hour, now.minute, now.second);
        for (int attempt = 0; attempt < 10; ++attempt) {
            std::string copy = name + when;
            if (attempt > 0)
                copy += "-" + std::to_string(attempt);
            const std::string target = folder + copy;
            if (access(target.c_str(), F_OK) == 0)
                continue;
            if (link(path.c_str(), target.c_str()) == 0 || CopyFile(path, target)) {
                kept.push_back(copy);
                break;
            }
        }
    }
    return kept;
}

} // namespace store
