#include "store/SyncConflicts.h"

#include "store/Posix.h"
#include "store/Stores.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

namespace {

constexpr const char* kStoreNames[] = {kSettingsFile, kTemplatesFile, kNotesFile, kCategoriesFile};

// What each tool puts between a store's stem and its extension.
const std::regex& ConflictMark()
{
    static const std::regex mark(
        // Syncthing: date, time and the first seven characters of the device id.
        R"(\.sync-conflict-[0-9]{8}-[0-9]{6}-[A-Z0-9]{7})"
        // Nextcloud (the newer clients add the user's name before the date).
        R"(| \(conflicted copy (.+ )?[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{6}\))"
        // Dropbox, with a typographic or a plain apostrophe, and a number when the day
        // already has a conflicted copy.
        R"(| \(.+(?:'|)"
        "\xE2\x80\x99"
        R"()s conflicted copy [0-9]{4}-[0-9]{2}-[0-9]{2}(?: \([0-9]+\))?\))",
        std::regex::ECMAScript | std::regex::optimize);
    return mark;
}

bool StartsWith(const std::string& s, const std::string& prefix)
{
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& s, const std::string& suffix)
{
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string Resolved(std::string path)
{
    // A folder not made yet: the nearest folder above it that exists.
    while (!path.empty()) {
        char buffer[PATH_MAX];
        if (realpath(path.c_str(), buffer))
            return buffer;
        while (path.size() > 1 && path.back() == '/')
            path.pop_back();
        const std::size_t slash = path.rfind('/');
        if (slash == std::string::npos)
            return {};
        path = slash == 0 ? "/" : path.substr(0, slash);
    }
    return {};
}

bool HasSyncMarker(const std::string& dir)
{
    struct stat st {};
    if (lstat((dir + "/.stfolder").c_str(), &st) == 0 ||
        lstat((dir + "/.owncloudsync.log").c_str(), &st) == 0)
        return true;
    // "~/.dropbox" is Dropbox's own settings folder; the synced folder holds a file.
    if (lstat((dir + "/.dropbox").c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return true;
    DIR* d = opendir(dir.c_str());
    if (!d)
        return false;
    bool found = false;
    while (const dirent* entry = readdir(d)) {
        const std::string name = entry->d_name;
        if ((StartsWith(name, ".sync_") || StartsWith(name, "._sync_")) && EndsWith(name, ".db")) {
            found = true;
            break;
        }
    }
    closedir(d);
    return found;
}

std::string FreeName(const std::string& folder, const std::string& name)
{
    std::string candidate = folder + name;
    for (int n = 1; access(candidate.c_str(), F_OK) == 0; ++n)
        candidate = folder + name + "." + std::to_string(n);
    return candidate;
}

// For a state folder on another file system than the data folder.
bool CopyThenRemove(const std::string& from, const std::string& to)
{
    const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    const int out = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        close(in);
        return false;
    }
    bool ok = true;
    char buffer[65536];
    for (;;) {
        const ssize_t got = RetryOnEintr([&] { return read(in, buffer, sizeof buffer); });
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        if (!WriteAll(out, buffer, static_cast<std::size_t>(got))) {
            ok = false;
            break;
        }
    }
    ok = fsync(out) == 0 && ok;
    ok = close(out) == 0 && ok;
    close(in);
    if (!ok) {
        unlink(to.c_str());
        return false;
    }
    return unlink(from.c_str()) == 0;
}

bool CreateFolders(const std::string& folder)
{
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        if (mkdir(folder.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

} // namespace

bool IsSharedFolder(const std::string& dataFolder, const std::string& home)
{
    std::string dir = Resolved(dataFolder);
    const std::string homeDir = home.empty() ? std::string() : Resolved(home);
    while (!dir.empty()) {
        if (HasSyncMarker(dir))
            return true;
        if (dir == homeDir || dir == "/")
            return false;
        const std::size_t slash = dir.rfind('/');
        dir = slash == 0 ? "/" : dir.substr(0, slash);
    }
    return false;
}

bool IsSharedFolder(const std::string& dataFolder)
{
    const char* home = std::getenv("HOME");
    return IsSharedFolder(dataFolder, home ? home : "");
}

std::string SyncConflictStore(const std::string& fileName)
{
    for (const char* store : kStoreNames) {
        const std::string name = store;
        const std::size_t dot = name.rfind('.');
        const std::string stem = name.substr(0, dot);
        const std::string extension = name.substr(dot);
        if (fileName.size() <= name.size() || !StartsWith(fileName, stem) ||
            !EndsWith(fileName, extension))
            continue;
        const std::string mark =
            fileName.substr(stem.size(), fileName.size() - stem.size() - extension.size());
        if (std::regex_match(mark, ConflictMark()))
            return name;
    }
    return {};
}

std::vector<SyncConflict> FindSyncConflicts(const std::string& folder)
{
    std::vector<SyncConflict> found;
    DIR* d = opendir(folder.c_str());
    if (!d)
        return found;
    const std::string prefix = EndsWith(folder, "/") ? folder : folder + "/";
    while (const dirent* entry = readdir(d)) {
        const std::string name = entry->d_name;
        std::string store = SyncConflictStore(name);
        struct stat st {};
        if (!store.empty() && lstat((prefix + name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
            found.push_back({std::move(store), prefix + name});
    }
    closedir(d);
    std::sort(found.begin(), found.end(),
              [](const SyncConflict& a, const SyncConflict& b) { return a.path < b.path; });
    return found;
}

void PruneConflicts(const std::string& conflictsFolder, std::time_t now)
{
    DIR* d = opendir(conflictsFolder.c_str());
    if (!d)
        return;
    const std::string prefix =
        EndsWith(conflictsFolder, "/") ? conflictsFolder : conflictsFolder + "/";
    const std::time_t oldest = now - std::time_t{kConflictKeepDays} * 24 * 60 * 60;
    while (const dirent* entry = readdir(d)) {
        const std::string path = prefix + entry->d_name;
        struct stat st {};
        if (lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_mtime < oldest)
            unlink(path.c_str());
    }
    closedir(d);
}

bool KeepFoldedConflict(const std::string& path, const std::string& conflictsFolder)
{
    std::string folder = conflictsFolder;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (!CreateFolders(folder))
        return false;
    folder += '/';
    const std::size_t slash = path.rfind('/');
    const std::string target =
        FreeName(folder, slash == std::string::npos ? path : path.substr(slash + 1));
    if (rename(path.c_str(), target.c_str()) != 0 &&
        (errno != EXDEV || !CopyThenRemove(path, target)))
        return false;
    // Kept for 30 days from now, whatever date the sync tool gave the copy.
    utimensat(AT_FDCWD, target.c_str(), nullptr, 0);
    PruneConflicts(folder, std::time(nullptr));
    return true;
}

} // namespace store
