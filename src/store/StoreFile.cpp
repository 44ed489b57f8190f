#include "store/StoreFile.h"

#include "store/Posix.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

namespace {

// Closes the descriptor and removes the temporary file unless the rename happened.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) : path_(target + ".tmp-XXXXXX")
    {
        fd_ = mkostemp(path_.data(), O_CLOEXEC);
        if (fd_ < 0)
            error_ = errno;
        else if (fchmod(fd_, 0600) != 0) {
            error_ = errno;
            discard();
        }
    }
    ~TemporaryFile() { discard(); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }
    // The errno of the step that failed; 0 while none did.
    int error() const { return error_; }

    // Makes the content durable and puts it in place of target.
    bool commit(const std::string& target)
    {
        if (fsync(fd_) != 0) {
            error_ = errno;
            return false;
        }
        int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 || rename(path_.c_str(), target.c_str()) != 0) {
            error_ = errno;
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
    int error_ = 0;
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

// Copies through an archive writer: a full disk fails it as it fails a save. Returns 0
// or the errno of what failed.
int CopyInto(int from, int to)
{
    ArchiveWriter out(to);
    char buffer[kArchiveBufferSize];
    for (;;) {
        const ssize_t got = RetryOnEintr([&] { return ::read(from, buffer, sizeof buffer); });
        if (got < 0)
            return errno;
        if (got == 0)
            break;
        for (ssize_t i = 0; i < got; ++i)
            out.writeByte(static_cast<std::uint8_t>(buffer[i]));
        if (out.error() != 0)
            return out.error();
    }
    return out.flush() ? 0 : out.error();
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

StoreError SystemError(int number, std::string path, const std::string& doing)
{
    std::string reason = std::strerror(number);
    if (!doing.empty())
        reason = doing + ": " + reason;
    return StoreError{number, std::move(path), std::move(reason)};
}

void UncopiedDamage::mark(const std::string& path, bool uncopied)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (uncopied)
        paths_.insert(path);
    else
        paths_.erase(path);
}

bool UncopiedDamage::contains(const std::string& path) const
{
    std::lock_guard<std::mutex> hold(lock_);
    return paths_.count(path) > 0;
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

std::string SetAside(const std::string& folder, const std::string& name, UncopiedDamage* damage)
{
    const std::string kept = DamagedName(folder, name);
    if (rename((folder + name).c_str(), (folder + kept).c_str()) != 0)
        return {};
    if (damage)
        damage->mark(folder + name, false);
    SyncFolder(folder);
    return kept;
}

StoreResult KeepDamagedCopy(const std::string& folder, const char* name)
{
    const std::string source = folder + name;
    const std::string target = folder + DamagedName(folder, name);
    int from = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0)
        return SystemError(errno, source);
    // Named "<name>.damaged.tmp-XXXXXX" whatever the copy's name: a crash leaves a
    // temporary file start-up knows to remove.
    TemporaryFile copy(source + kDamagedSuffix);
    int error = copy.error();
    if (error == 0)
        error = CopyInto(from, copy.fd());
    if (error == 0 && !copy.commit(target))
        error = copy.error();
    ::close(from);
    if (error != 0)
        return SystemError(error, target);
    SyncFolder(folder);
    return {};
}

ReadOutcome ReadStoreFile(const std::string& folder, const char* name,
                          const std::function<bool(ArchiveReader&)>& read, UncopiedDamage* damage,
                          TrailingBytes trailing)
{
    ArchiveReader reader;
    if (!reader.open(folder + name))
        return ReadOutcome::NotOpened;
    bool understood = false;
    try {
        understood = read(reader);
    } catch (const std::exception&) {
        // EndOfFile or ArchiveError: the content up to here is all there is.
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
    const bool copied = static_cast<bool>(KeepDamagedCopy(folder, name));
    if (damage)
        damage->mark(folder + name, !copied);
    return understood ? ReadOutcome::Complete : ReadOutcome::Damaged;
}

StoreResult WriteStoreFile(const std::string& folder, const char* name,
                           const std::function<void(ArchiveWriter&)>& write, UncopiedDamage* damage)
{
    const std::string target = folder + name;
    if (damage && damage->contains(target)) {
        // The damaged file would be lost: try its copy once more first.
        if (StoreResult copied = KeepDamagedCopy(folder, name); !copied)
            return SystemError(copied.error().number, target,
                               std::string("cannot keep a copy of the damaged ") + name);
        damage->mark(target, false);
    }
    const std::string written = WriteTarget(target);
    TemporaryFile file(written);
    if (file.fd() < 0)
        return SystemError(file.error(), target);
    ArchiveWriter writer(file.fd());
    write(writer);
    if (!writer.flush())
        return SystemError(writer.error(), target);
    if (!file.commit(written))
        return SystemError(file.error(), target);
    SyncFolder(written.substr(0, written.rfind('/') + 1));
    return {};
}

} // namespace store
