#include "session/RecoverySnapshot.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

RecoverySnapshot::RecoverySnapshot(std::string dataFolder, Collect collect,
                                   store::UncopiedDamage* damage, QObject* parent)
    : QObject(parent), dataFolder_(std::move(dataFolder)), collect_(std::move(collect)),
      damage_(damage)
{
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, &RecoverySnapshot::writeInBackground);
}

RecoverySnapshot::~RecoverySnapshot()
{
    wait();
}

void RecoverySnapshot::changed()
{
    // Not restarted by later changes: steady typing must not postpone the write.
    if (!timer_.isActive())
        timer_.start();
}

void RecoverySnapshot::writeInBackground()
{
    // The syncs take tens of milliseconds on a disk; the window must not wait for them.
    wait();
    ++writes_;
    inFlight_ = std::async(std::launch::async, [this, folder = dataFolder_, session = collect_(),
                                                damage = damage_, seen = takeSeen()] {
        const Outcome outcome = write(folder, session, damage, seen);
        // Told on the window's thread; dropped if this object is gone by then.
        QMetaObject::invokeMethod(
            this, [this, outcome] { report(outcome); }, Qt::QueuedConnection);
    });
}

namespace {

std::string SeenFolder(const std::string& stateFolder)
{
    return stateFolder + store::kRecoveryFolder + std::string(store::kSeenFolder);
}

} // namespace

RecoverySnapshot::Seen RecoverySnapshot::takeSeen()
{
    if (seen_.empty())
        return std::nullopt;
    // The snapshot may have been removed by a save since.
    struct stat st {};
    if (seenKept_ && stat(SeenFolder(dataFolder_).c_str(), &st) == 0)
        return std::nullopt;
    seenKept_ = true; // until a failed write says otherwise
    return seen_;
}

void RecoverySnapshot::setSeen(std::map<std::string, std::string> bytes)
{
    if (bytes == seen_)
        return;
    seen_ = std::move(bytes);
    seenKept_ = false;
}

RecoverySnapshot::Outcome RecoverySnapshot::write(const std::string& dataFolder,
                                                  const store::Session& session,
                                                  store::UncopiedDamage* damage, const Seen& seen)
{
    Outcome outcome;
    const store::StoreResult written = store::WriteSnapshot(dataFolder, session, damage);
    outcome.written = static_cast<bool>(written);
    if (!written)
        outcome.error = written.error().message();
    outcome.seenWritten = outcome.written;
    if (!outcome.written || !seen)
        return outcome;
    // Only a restore reads these, and only to merge: no syncs, a rename for each.
    const std::string folder = SeenFolder(dataFolder);
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        outcome.seenWritten = false;
        return outcome;
    }
    for (const auto& [name, bytes] : *seen) {
        const std::string path = folder + name;
        const std::string temporary = path + ".new";
        std::FILE* file = std::fopen(temporary.c_str(), "wb");
        bool done = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        done = file && std::fclose(file) == 0 && done;
        if (!done || std::rename(temporary.c_str(), path.c_str()) != 0) {
            std::remove(temporary.c_str());
            outcome.seenWritten = false;
        }
    }
    return outcome;
}

void RecoverySnapshot::report(const Outcome& outcome)
{
    if (!outcome.seenWritten)
        seenKept_ = false;
    lastError_ = outcome.written ? QString() : QString::fromStdString(outcome.error);
    if (outcome.written == works_)
        return;
    works_ = outcome.written;
    emit stateChanged(works_, lastError_);
}

void RecoverySnapshot::wait()
{
    if (inFlight_.valid())
        inFlight_.get();
}

bool RecoverySnapshot::flush(bool force)
{
    wait();
    if (!force && !timer_.isActive())
        return true;
    timer_.stop();
    ++writes_;
    const Outcome outcome = write(dataFolder_, collect_(), damage_, takeSeen());
    report(outcome);
    return outcome.written;
}

void RecoverySnapshot::discard()
{
    timer_.stop();
    wait();
    seenKept_ = false;
    store::RemoveSnapshot(dataFolder_);
}
