#include "store/StoreFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

namespace {

// The snapshot is written on a worker thread: each thread has its own last error.
thread_local std::string g_lastWriteError;
// Files whose damaged content has no copy yet: they must not be replaced.
std::set<std::string> g_uncopiedDamage;
std::mutex g_uncopiedDamageLock;

void SetUncopiedDamage(const std::string& path, bool uncopied)
{
    std::lock_guard<std::mutex> hold(g_uncopiedDamageLock);
    if (uncopied)
        g_uncopiedDamage.insert(path);
    else
        g_uncopiedDamage.erase(path);
}

bool HasUncopiedDamage(const std::string& path)
{
    std::lock_guard<std::mutex> hold(g_uncopiedDamageLock);
    return g_uncopiedDamage.count(path) > 0;
}

void NoteWriteError(int error)
{
    g_lastWriteError = std::strerror(error);
}

// Closes the descriptor and removes the temporary file unless the rename happened.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) : path_(target + ".tmp-XXXXXX")
    {
        fd_ = mkostemp(path_.data(), O_CLOEXEC);
        if (fd_ >= 0 && fchmod(fd_, 0600) != 0) {
            NoteWriteError(errno);
            discard();
        } else if (fd_ < 0) {
            NoteWriteError(errno);
        }
    }
    ~TemporaryFile() { discard(); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }

    // Makes the content durable and puts it in place of target.
    bool commit(const std::string& target)
    {
        if (fsync(fd_) != 0) {
            NoteWriteError(errno);
            return false;
        }
        int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 || rename(path_.c_str(), target.c_str()) != 0) {
            NoteWriteError(errno);
            unlink(path_.c_str());
            return false;
        }
        path_.clear();
        return true;
    }

private:
    void discard()
    {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
        if (!path_.empty()) {
            unlink(path_.c_str());
            path_.clear();
        }
    }

    std::string path_;
    int fd_ = -1;
};

// The rename is only durable once the folder entry itself reaches the disk.
void SyncFolder(const std::string& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    ::close(fd);
}

// Copies through an archive writer: a full disk fails it as it fails a save.
bool CopyInto(int from, int to)
{
    try {
        ArchiveWriter out(to);
        char buffer[kArchiveBufferSize];
        for (;;) {
            ssize_t got = ::read(from, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return false;
            if (got == 0)
                break;
            for (ssize_t i = 0; i < got; ++i)
                out.writeByte(static_cast<std::uint8_t>(buffer[i]));
        }
        out.flush();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// The file a save replaces: path itself, or the target of a link to a regular file of
// the user's (dotfile setups keep stores as links; replacing the link would quietly
// stop saving into the real file). A link to anything else is replaced as a file is.
std::string WriteTarget(const std::string& path)
{
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved)
        return path;
    const std::string target = resolved;
    std::free(resolved);
    if (stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid())
        return path;
    return target;
}

} // namespace

const std::string& LastWriteError()
{
    return g_lastWriteError;
}

std::string DamagedName(const std::string& folder, const std::string& name)
{
    auto unused = [&](const std::string& candidate) {
        struct stat st {};
        return lstat((folder + candidate).c_str(), &st) != 0 && errno == ENOENT;
    };
    const std::string first = name + kDamagedSuffix;
    if (unused(first))
        return first;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char when[32];
    std::strftime(when, sizeof when, "-%Y%m%d-%H%M%S", &local);
    const std::string dated = first + when;
    std::string candidate = dated;
    for (int n = 2; !unused(candidate); ++n)
        candidate = dated + "-" + std::to_string(n);
    return candidate;
}

bool DamageUncopied(const std::string& path)
{
    return HasUncopiedDamage(path);
}

std::string SetAside(const std::string& folder, const std::string& name)
{
    const std::string kept = DamagedName(folder, name);
    if (rename((folder + name).c_str(), (folder + kept).c_str()) != 0)
        return {};
    SetUncopiedDamage(folder + name, false);
    SyncFolder(folder);
    return kept;
}

bool KeepDamagedCopy(const std::string& folder, const char* name)
{
    const std::string source = folder + name;
    const std::string target = folder + DamagedName(folder, name);
    int from = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0)
        return false;
    // Named "<name>.damaged.tmp-XXXXXX" whatever the copy's name: a crash leaves a
    // temporary file start-up knows to remove.
    TemporaryFile copy(source + kDamagedSuffix);
    bool ok = copy.fd() >= 0 && CopyInto(from, copy.fd()) && copy.commit(target);
    ::close(from);
    if (ok)
        SyncFolder(folder);
    return ok;
}

ReadOutcome ReadStoreFile(const std::string& folder, const char* name,
                          const std::function<bool(ArchiveReader&)>& read, TrailingBytes trailing)
{
    ArchiveReader reader;
    if (!reader.open(folder + name))
        return ReadOutcome::NotOpened;
    bool understood = false;
    try {
        understood = read(reader);
    } catch (const std::exception&) {
        // EndOfFile, ArchiveError or FileError: the content up to here is all there is.
    }
    const bool empty = reader.fileSize() == 0;
    const bool damagedEnd = reader.bytesLeft() > 0 && trailing == TrailingBytes::Damage;
    understood = understood && !reader.incomplete();
    reader.close();
    // An empty file holds nothing worth keeping.
    if (empty)
        return understood ? ReadOutcome::Complete : ReadOutcome::Empty;
    if (understood && !damagedEnd)
        return ReadOutcome::Complete;
    const std::string path = folder + name;
    SetUncopiedDamage(path, !KeepDamagedCopy(folder, name));
    return understood ? ReadOutcome::Complete : ReadOutcome::Damaged;
}

bool WriteStoreFile(const std::string& folder, const char* name,
                    const std::function<void(ArchiveWriter&)>& write)
{
    const std::string target = folder + name;
    if (HasUncopiedDamage(target)) {
        // The damaged file would be lost: try its copy once more first.
        if (!KeepDamagedCopy(folder, name)) {
            g_lastWriteError = std::string("cannot keep a copy of the damaged ") + name + ": " +
                               std::strerror(errno);
            return false;
        }
        SetUncopiedDamage(target, false);
    }
    const std::string written = WriteTarget(target);
    TemporaryFile file(written);
    if (file.fd() < 0)
        return false;
    try {
        ArchiveWriter writer(file.fd());
        write(writer);
        writer.flush();
    } catch (const FileError& error) {
        // "write: No space left on device": the system's part is what the user needs.
        const std::string what = error.what();
        const std::size_t colon = what.find(": ");
        g_lastWriteError = colon == std::string::npos ? what : what.substr(colon + 2);
        return false;
    } catch (const std::exception& error) {
        g_lastWriteError = error.what();
        return false;
    }
    if (!file.commit(written))
        return false;
    SyncFolder(written.substr(0, written.rfind('/') + 1));
    return true;
}

} // namespace store
