#include "store/Session.h"

#include <cerrno>
#include <cstdio>
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
    return WriteStoreFile(folder, name.c_str(), [&](ArchiveWriter& out) {
        for (char c : bytes)
            out.writeByte(static_cast<std::uint8_t>(c));
    });
}

} // namespace

bool WriteSession(const std::string& folder, const Session& session, std::string* failedFile)
{
    auto failed = [&](const char* name) {
        if (failedFile)
            *failedFile = name;
        return false;
    };
    if (!WriteSettings(folder, session.settings))
        return failed(kSettingsFile);
    if (!WriteCategories(folder, session.categories))
        return failed(kCategoriesFile);
    if (!WriteTemplates(folder, session.templates))
        return failed(kTemplatesFile);
    if (!WriteNotes(folder, session.notes))
        return failed(kNotesFile);
    return true;
}

bool WriteSnapshot(const std::string& dataFolder, const Session& session)
{
    const std::string folder = dataFolder + kRecoveryFolder;
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    return WriteSession(folder, session);
}

bool SnapshotExists(const std::string& dataFolder)
{
    const std::string folder = dataFolder + kRecoveryFolder;
    for (const char* name : kStoreFiles)
        if (access((folder + name).c_str(), F_OK) == 0)
            return true;
    return false;
}

SnapshotState ReadSnapshot(const std::string& dataFolder, Session& session, const LogFont& baseFont,
                           const SystemTime& now)
{
    if (!SnapshotExists(dataFolder))
        return SnapshotState::None;
    const std::string folder = dataFolder + kRecoveryFolder;
    RemoveLeftoverTemporaryFiles(folder);
    // All four files are always written; an empty one is a valid empty collection.
    auto whole = [](ReadOutcome outcome) {
        return outcome == ReadOutcome::Complete || outcome == ReadOutcome::Empty;
    };
    ReadOutcome settings = ReadOutcome::NotOpened;
    ReadOutcome notes = ReadOutcome::NotOpened;
    ReadSettings(folder, session.settings, &settings);
    const ReadOutcome categories = ReadCategories(folder, session.categories);
    const ReadOutcome templates = ReadTemplates(folder, session.templates, baseFont, now);
    session.notes = ReadNotes(folder, baseFont, &notes);
    if (settings == ReadOutcome::Complete && whole(categories) && whole(templates) && whole(notes))
        return SnapshotState::Restored;
    return SnapshotState::Damaged;
}

void RemoveSnapshot(const std::string& dataFolder)
{
    const std::string folder = dataFolder + kRecoveryFolder;
    RemoveLeftoverTemporaryFiles(folder);
    for (const char* name : kStoreFiles)
        unlink((folder + name).c_str());
    rmdir(folder.c_str()); // fails while ".damaged" copies are kept there
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
