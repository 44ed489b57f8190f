#pragma once
// The recovery snapshot: a copy of the whole session in the stores' own formats,
// written to "recovery/" in the data folder's state folder (StateFolderFor) shortly
// after each change, so that a kill, a crash or a vanished X server loses at most the
// last second. A burst of changes is one write; while nothing changes, no timer runs.

#include "store/Session.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <future>
#include <map>
#include <optional>
#include <string>

class RecoverySnapshot : public QObject {
    Q_OBJECT
public:
    using Collect = std::function<store::Session()>;

    // damage: the files read with damage not yet copied aside (see store::ReadSnapshot);
    // it must outlive this object, and is used from the worker thread.
    RecoverySnapshot(std::string dataFolder, Collect collect,
                     store::UncopiedDamage* damage = nullptr, QObject* parent = nullptr);
    ~RecoverySnapshot() override;

    // Something the stores hold changed: a write follows within kDelayMs. The session
    // is collected on this thread; encoding and the syncs happen on a worker thread.
    void changed();
    // Writes at once, on this thread, when a write is due (or always, with force).
    // Returns whether the snapshot on disk now holds the session.
    bool flush(bool force = false);
    // Waits for a write in progress on the worker thread. Call before touching the
    // snapshot's files or the stores from this thread.
    void wait();
    // The session is safe elsewhere (stores written, or the user chose to drop it).
    void discard();
    // The stores' bytes (by store name) as the session last read or wrote them, kept
    // with the snapshot from its next write on: a restore merges what changed on disk
    // since instead of writing over it.
    void setSeen(std::map<std::string, std::string> bytes);

    bool due() const { return timer_.isActive(); }
    int writes() const { return writes_; }
    // Why the last write failed (empty after a write that worked).
    QString lastError() const { return lastError_; }

    static constexpr int kDelayMs = 1000;

signals:
    // A write failed after writes that worked (works false), or worked after one that
    // failed: once per change of state, not per write.
    void stateChanged(bool works, const QString& error);

private:
    using Seen = std::optional<std::map<std::string, std::string>>;
    struct Outcome {
        bool written;
        bool seenWritten;
        std::string error;
    };
    static Outcome write(const std::string& dataFolder, const store::Session& session,
                         store::UncopiedDamage* damage, const Seen& seen);
    // The seen bytes for the next write, unless the snapshot's folder holds them already.
    Seen takeSeen();
    void writeInBackground();
    void report(const Outcome& outcome);

    std::string dataFolder_;
    Collect collect_;
    store::UncopiedDamage* damage_;
    QTimer timer_;
    std::future<void> inFlight_;
    std::map<std::string, std::string> seen_;
    bool seenKept_ = false; // the snapshot's folder holds seen_
    int writes_ = 0;
    bool works_ = true;
    QString lastError_;
};
