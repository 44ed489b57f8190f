#include "note/RollAnimation.h"

#include <QTimerEvent>

#include <algorithm>

namespace {

constexpr int kRollSteps = 30;
constexpr int kStepMs = 4; // the pause of one step of a single roll

} // namespace

RollAnimation* RollAnimation::running_ = nullptr;

void RollAnimation::Start(const std::vector<CNote*>& notes)
{
    if (running_)
        running_->FinishAll();
    if (notes.empty())
        return;
    auto* animation = new RollAnimation;
    for (CNote* note : notes) {
        const CNote::Roll roll = note->BeginRoll();
        note->PlaceNote(roll.stepPlace(0));
        animation->entries_.push_back({note, roll});
    }
    animation->step_ = 0;
    animation->clock_.start();
    running_ = animation;
    animation->timer_.start(kStepMs, Qt::PreciseTimer, animation);
}

void RollAnimation::Finish(CNote* note)
{
    if (!running_)
        return;
    auto& entries = running_->entries_;
    auto found = std::find_if(entries.begin(), entries.end(),
                              [note](const Entry& e) { return e.note == note; });
    if (found == entries.end())
        return;
    const CNote::Roll roll = found->roll;
    entries.erase(found);
    note->EndRoll(roll);
    if (entries.empty())
        running_->FinishAll();
}

void RollAnimation::FinishAll()
{
    timer_.stop();
    std::vector<Entry> entries;
    entries.swap(entries_);
    if (running_ == this)
        running_ = nullptr;
    for (const Entry& e : entries)
        if (e.note)
            e.note->EndRoll(e.roll);
    deleteLater();
}

void RollAnimation::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != timer_.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    const int due = static_cast<int>(clock_.elapsed() / kStepMs);
    if (due >= kRollSteps) {
        FinishAll();
        return;
    }
    if (due == step_)
        return;
    step_ = due;
    for (const Entry& e : entries_)
        if (e.note)
            e.note->PlaceNote(e.roll.stepPlace(step_));
}
