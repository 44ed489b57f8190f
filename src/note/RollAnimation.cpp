#include "note/RollAnimation.h"

#include <QTimerEvent>

#include <algorithm>

std::vector<RollAnimation*> RollAnimation::running_;

void RollAnimation::Start(std::vector<Entry> entries)
{
    if (entries.empty())
        return;
    auto* animation = new RollAnimation;
    animation->entries_ = std::move(entries);
    for (const Entry& e : animation->entries_)
        e.place(0);
    animation->clock_.start();
    running_.push_back(animation);
    animation->timer_.start(kStepMs, Qt::PreciseTimer, animation);
}

void RollAnimation::Finish(QObject* window)
{
    for (RollAnimation* animation : running_) {
        auto& entries = animation->entries_;
        auto found = std::find_if(entries.begin(), entries.end(),
                                  [window](const Entry& e) { return e.window == window; });
        if (found == entries.end())
            continue;
        const Entry entry = *found;
        entries.erase(found);
        entry.end();
        if (entries.empty())
            animation->End();
        return;
    }
}

void RollAnimation::FinishAll()
{
    const std::vector<RollAnimation*> running = running_;
    for (RollAnimation* animation : running)
        animation->End();
}

void RollAnimation::End()
{
    timer_.stop();
    std::vector<Entry> entries;
    entries.swap(entries_);
    running_.erase(std::remove(running_.begin(), running_.end(), this), running_.end());
    for (const Entry& e : entries)
        if (e.window)
            e.end();
    deleteLater();
}

void RollAnimation::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != timer_.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    const int due = static_cast<int>(clock_.elapsed() / kStepMs);
    if (due >= kSteps) {
        End();
        return;
    }
    if (due == step_)
        return;
    step_ = due;
    for (const Entry& e : entries_)
        if (e.window)
            e.place(step_);
}
