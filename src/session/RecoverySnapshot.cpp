#include "session/RecoverySnapshot.h"

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
    inFlight_ = std::async(
        std::launch::async, [this, folder = dataFolder_, session = collect_(), damage = damage_] {
            const Outcome outcome = write(folder, session, damage);
            // Told on the window's thread; dropped if this object is gone by then.
            QMetaObject::invokeMethod(
                this, [this, outcome] { report(outcome); }, Qt::QueuedConnection);
        });
}

RecoverySnapshot::Outcome RecoverySnapshot::write(const std::string& dataFolder,
                                                  const store::Session& session,
                                                  store::UncopiedDamage* damage)
{
    const store::StoreResult written = store::WriteSnapshot(dataFolder, session, damage);
    return Outcome{static_cast<bool>(written), written ? std::string() : written.error().message()};
}

void RecoverySnapshot::report(const Outcome& outcome)
{
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
    const Outcome outcome = write(dataFolder_, collect_(), damage_);
    report(outcome);
    return outcome.written;
}

void RecoverySnapshot::discard()
{
    timer_.stop();
    wait();
    store::RemoveSnapshot(dataFolder_);
}
