#include "session/RecoverySnapshot.h"

RecoverySnapshot::RecoverySnapshot(std::string dataFolder, Collect collect, QObject* parent)
    : QObject(parent), dataFolder_(std::move(dataFolder)), collect_(std::move(collect))
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
    inFlight_ = std::async(std::launch::async, [folder = dataFolder_, session = collect_()] {
        return store::WriteSnapshot(folder, session);
    });
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
    return store::WriteSnapshot(dataFolder_, collect_());
}

void RecoverySnapshot::discard()
{
    timer_.stop();
    wait();
    store::RemoveSnapshot(dataFolder_);
}
