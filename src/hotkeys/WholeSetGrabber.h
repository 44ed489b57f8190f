#pragma once
// A grabber that binds a whole key set at once through a desktop service: the grabs and
// releases between beginSet and commitSet change a copy of the set, and applySet takes
// it together; a grab or release outside a set is a set of its own.

#include "hotkeys/HotKeyGrabber.h"

#include <map>

template <typename Key> class WholeSetGrabber : public HotKeyGrabber {
public:
    using HotKeyGrabber::HotKeyGrabber;

    void beginSet() final
    {
        inSet_ = true;
        pending_ = wanted_;
    }
    void commitSet() final
    {
        inSet_ = false;
        applySet();
    }

protected:
    // Puts pending_ in place of wanted_ at the service.
    virtual void applySet() = 0;

    void setPending(int id, Key key)
    {
        change([&] { pending_[id] = key; });
    }
    void erasePending(int id)
    {
        change([&] { pending_.erase(id); });
    }

    std::map<int, Key> pending_; // id -> key: the set being assembled
    std::map<int, Key> wanted_;  // the set applied last

private:
    template <typename Change> void change(Change apply)
    {
        const bool alone = !inSet_;
        if (alone)
            beginSet();
        apply();
        if (alone)
            commitSet();
    }

    bool inSet_ = false;
};
