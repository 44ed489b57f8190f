// Time to merge a store changed on another machine into the running session: 1,000 notes
// (and 100 templates), ten notes changed on each side (texts, moves, colours, one added
// and one closed on each side). This runs on the window's thread when a store lands.
// Reports figures only.

#include "store/Merge.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

SNote Record(int i, bool sameSecond)
{
    SNote note;
    note.text =
        "Note " + std::to_string(i) + ": call the plumber about the kitchen tap, then the bank.";
    note.category = "Home";
    note.signatureText = "Signed";
    note.font.setFace("Arial");
    note.font.height = -11;
    note.font.weight = 400;
    note.left = i % 1200;
    note.top = i % 900;
    const int second = sameSecond ? 0 : i;
    note.created = SystemTime{2024,
                              6,
                              3,
                              12,
                              static_cast<std::uint16_t>(second / 3600 % 24),
                              static_cast<std::uint16_t>(second / 60 % 60),
                              static_cast<std::uint16_t>(second % 60),
                              0};
    return note;
}

store::Session Base(bool sameSecond)
{
    store::Session session;
    for (int i = 0; i < 1000; ++i)
        session.notes.push_back(Record(i, sameSecond));
    for (int i = 0; i < 100; ++i)
        session.templates.append(Record(i, sameSecond));
    for (const char* name : {"Home", "Work", "Family", "Ideas"})
        session.categories.append(name);
    return session;
}

// Ten changes on one side, spread over the list from first.
void Change(store::Session& side, int first, const char* who)
{
    for (int k = 0; k < 7; ++k) {
        SNote& note = side.notes[static_cast<std::size_t>(first + 97 * k)];
        if (k % 3 == 0)
            note.text += std::string(" edited on ") + who;
        else if (k % 3 == 1)
            note.left += 40;
        else
            note.color = 5;
    }
    side.notes[static_cast<std::size_t>(first + 3)].text = std::string("rewritten on ") + who;
    side.notes.erase(side.notes.begin() + first + 5);
    SNote added = side.notes.front();
    added.text = std::string("new on ") + who;
    added.created.year = 2025;
    side.notes.push_back(added);
}

void Run(const char* title, bool sameSecond, int rounds)
{
    const store::Session base = Base(sameSecond);
    store::Session ours = base;
    store::Session theirs = base;
    Change(ours, 10, "this machine");
    Change(theirs, 40, "the other machine");

    std::vector<double> ms;
    std::size_t notes = 0;
    for (int round = 0; round < rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        const store::MergeResult result = store::Merge(base, ours, theirs);
        const auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        notes = result.session.notes.size();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("merge, 1000 notes + 100 templates, 10 changes each side, %s (%zu notes out, "
                "%d rounds): min %.3f ms, median %.3f ms, max %.3f ms\n",
                title, notes, rounds, ms.front(), ms[ms.size() / 2], ms.back());
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    Run("distinct creation times", false, rounds);
    Run("all created in one second", true, rounds);
    return 0;
}
