#pragma once
// Only one copy of the program runs at a time. Two empty marker files in the runtime
// folder of the data folder (see MachineFolders.h) coordinate two copies: every copy holds "xr.log"
// locked for its whole run; a second copy that finds it locked holds "xo.log" locked until it ends,
// and the first copy, while its panel is hidden, takes that file as a request to show the panel
// again. The contents of the files are never read or written.

#include <string>

class InstanceLock {
public:
    enum class Result {
        Acquired,       // this is the first copy
        HeldByOther,    // another copy runs; the hand-over file is now held
        FolderUnusable, // "xr.log" cannot be created at all
    };

    explicit InstanceLock(std::string folder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes "xr.log"; when another copy holds it, creates and holds "xo.log" instead.
    // The folder is made 0700 and the markers 0600 first; a folder of another user or
    // an "xr.log" that is a symbolic link is unusable, an "xo.log" link is removed; a
    // marker of another user makes the folder unusable.
    //
    // Earlier versions kept the markers in the data folder, given as oldFolder: an
    // "xr.log" held there is a copy of such a version running, and this copy is then the
    // second one (its request is left there, where that copy looks). Otherwise the old
    // markers nobody holds are removed.
    Result Acquire(const std::string& oldFolder = {});
    // The reason of the last FolderUnusable, as the system put it.
    const std::string& error() const { return error_; }

    // True once a second copy has come and gone: "xo.log" could be taken and was
    // deleted. A file that opens but cannot be deleted is left for the next poll.
    bool PollHandOver();

    const std::string& folder() const { return folder_; }

    static constexpr const char* kRunningFile = "xr.log";
    static constexpr const char* kHandOverFile = "xo.log";

private:
    bool MakePrivate();
    bool OldCopyRuns(const std::string& oldFolder);

    std::string folder_;
    int runningFd_ = -1;
    int handOverFd_ = -1;
    std::string error_;
};
