#include "platform/InstanceLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// An exclusive open in the Linux way: a descriptor plus a non-blocking exclusive lock.
// Returns the descriptor, or -1 with errno set (EWOULDBLOCK: another holder).
int OpenExclusive(const std::string& path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        return -1;
    }
    // A marker another user may open could be locked to keep this user's program out.
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_uid == ::geteuid() && (st.st_mode & 077) != 0)
        ::fchmod(fd, 0600);
    return fd;
}

} // namespace

InstanceLock::InstanceLock(std::string folder) : folder_(std::move(folder)) {}

InstanceLock::~InstanceLock()
{
    if (runningFd_ >= 0)
        ::close(runningFd_);
    if (handOverFd_ >= 0)
        ::close(handOverFd_);
}

bool InstanceLock::MakePrivate()
{
    struct stat st {};
    if (::stat(folder_.c_str(), &st) != 0)
        return true; // the open below reports a missing folder
    if (st.st_uid != ::geteuid()) {
        error_ = "the folder belongs to another user";
        return false;
    }
    if ((st.st_mode & 077) != 0)
        ::chmod(folder_.c_str(), 0700);
    // A link named like the hand-over marker could never be taken or removed, and a
    // second copy could never bring a hidden panel back: it goes (unlink does not
    // follow it).
    const std::string handOver = folder_ + kHandOverFile;
    if (::lstat(handOver.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
        ::unlink(handOver.c_str());
    const std::string running = folder_ + kRunningFile;
    if (::lstat(running.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        error_ = std::string(kRunningFile) + " is a symbolic link";
        return false;
    }
    // A marker of another user, held locked, would keep this user's program out for
    // good, without a word: it is refused instead.
    for (const char* marker : {kRunningFile, kHandOverFile}) {
        if (::lstat((folder_ + marker).c_str(), &st) == 0 && st.st_uid != ::geteuid()) {
            error_ = std::string(marker) + " belongs to another user";
            return false;
        }
    }
    return true;
}

bool InstanceLock::OldCopyRuns(const std::string& oldFolder)
{
    for (const char* marker : {kRunningFile, kHandOverFile}) {
        const std::string path = oldFolder + marker;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0)
            continue;
        if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
            ::unlink(path.c_str()); // not ours to follow or to lock
            continue;
        }
        // Removed under the lock: a copy that opened it meanwhile finds it gone.
        const int fd = OpenExclusive(path, O_RDONLY);
        if (fd >= 0) {
            ::unlink(path.c_str());
            ::close(fd);
        } else if (errno == EWOULDBLOCK && std::strcmp(marker, kRunningFile) == 0) {
            return true;
        }
    }
    return false;
}

InstanceLock::Result InstanceLock::Acquire(const std::string& oldFolder)
{
    if (!MakePrivate())
        return Result::FolderUnusable;
    runningFd_ = OpenExclusive(folder_ + kRunningFile, O_RDONLY | O_CREAT);
    if (runningFd_ >= 0 && !oldFolder.empty() && OldCopyRuns(oldFolder)) {
        ::close(runningFd_);
        runningFd_ = -1;
        handOverFd_ = OpenExclusive(oldFolder + kHandOverFile, O_RDONLY | O_CREAT);
        return Result::HeldByOther;
    }
    if (runningFd_ >= 0)
        return Result::Acquired;
    if (errno != EWOULDBLOCK) {
        error_ = std::strerror(errno);
        return Result::FolderUnusable;
    }
    // Failing to leave the request is not worth a word: the second copy ends anyway.
    handOverFd_ = OpenExclusive(folder_ + kHandOverFile, O_RDONLY | O_CREAT);
    return Result::HeldByOther;
}

bool InstanceLock::PollHandOver()
{
    const std::string path = folder_ + kHandOverFile;
    const int fd = OpenExclusive(path, O_RDWR);
    if (fd < 0)
        return false;
    const bool deleted = ::unlink(path.c_str()) == 0;
    ::close(fd);
    return deleted;
}
