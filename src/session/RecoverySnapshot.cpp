#include "session/RecoverySnapshot.h"

RecoverySnapshot::RecoverySnapshot(std::string dataFolder, Collect collect, QObject* parent)
    : QObject(parent), dataFolder_(std::move(dataFolder)), collect_(std::move(collect))
{
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, [this] { flush(true); });
}

void RecoverySnapshot::changed()
{
    // Not restarted by later changes: steady typing must not postpone the write.
    if (!timer_.isActive())
        timer_.start();
}

bool RecoverySnapshot::flush(bool force)
{
    if (!force && !timer_.isActive())
        return true;
    timer_.stop();
    ++writes_;
    return store::WriteSnapshot(dataFolder_, collect_());
}

void RecoverySnapshot::discard()
{
    timer_.stop();
    store::RemoveSnapshot(dataFolder_);
}
