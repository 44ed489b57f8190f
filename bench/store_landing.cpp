// Time from a notes store landing in a shared data folder (renamed into place, as a sync
// tool puts the other machine's version there) to the change on the screen of the copy
// running on that folder: a note the other machine made is mapped, a note it closed is
// unmapped. The X server's own events tell (no polling).
//   store_landing <folder/> prepare N     N notes made in N seconds, at distinct places
//   store_landing <folder/> land ROUNDS   ROUNDS times: one note added, then that one closed
// Prints one line of figures per kind of change. Reports only.

#include "model/Factory.h"
#include "store/Stores.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <poll.h>
#include <string>
#include <vector>

namespace {

SystemTime SecondAfter(int seconds)
{
    return SystemTime{2024,
                      6,
                      3,
                      12,
                      static_cast<std::uint16_t>(9 + seconds / 3600 % 12),
                      static_cast<std::uint16_t>(seconds / 60 % 60),
                      static_cast<std::uint16_t>(seconds % 60),
                      0};
}

SNote MadeAt(int i)
{
    static Templates factory;
    if (factory.count() == 0)
        LoadFactoryTemplates(factory, SecondAfter(0));
    SNote n = factory.get(i % factory.count());
    n.isDefault = false;
    n.color = i % 10;
    n.text = "Note " + std::to_string(i) + ": a few words to wrap over some lines of the note.";
    n.left = (i % 25) * 48 + (i / 25) % 4;
    n.top = (i / 25 % 8) * 110 + 5;
    n.created = SecondAfter(i);
    return n;
}

// Writes the notes elsewhere in the folder's file system, then renames the store into place.
std::chrono::steady_clock::time_point Land(const std::string& folder,
                                           const std::vector<SNote>& notes)
{
    const std::string aside = folder + "../landing/";
    std::filesystem::create_directories(aside);
    if (!store::WriteNotes(aside, notes)) {
        std::fprintf(stderr, "store_landing: cannot write %s\n", aside.c_str());
        std::exit(1);
    }
    const auto now = std::chrono::steady_clock::now();
    std::filesystem::rename(aside + store::kNotesFile, folder + store::kNotesFile);
    return now;
}

// Waits for the next event of the given type on the root's children; milliseconds since
// start, or a negative number after 10 s without it.
double WaitFor(Display* display, int type, std::chrono::steady_clock::time_point start)
{
    const int fd = ConnectionNumber(display);
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == type)
                return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                                 start)
                    .count();
        }
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 10000) == 0)
            return -1;
    }
}

// Drops the events that came so far.
void Drain(Display* display)
{
    XSync(display, False);
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
    }
}

void Report(const char* what, std::vector<double> ms, int missed)
{
    if (ms.empty()) {
        std::printf("%s: never seen (%d missed)\n", what, missed);
        return;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%s: median %.1f ms, min %.1f ms, max %.1f ms (%zu rounds, %d missed)\n", what,
                ms[ms.size() / 2], ms.front(), ms.back(), ms.size(), missed);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: store_landing <folder/> prepare N | land ROUNDS\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int count = std::max(1, std::atoi(argv[3]));
    if (std::strcmp(argv[2], "prepare") == 0) {
        store::CreateDataFolder(folder);
        std::vector<SNote> notes;
        for (int i = 0; i < count; ++i)
            notes.push_back(MadeAt(i));
        return store::WriteNotes(folder, notes) ? 0 : 1;
    }

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "store_landing: no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    std::vector<SNote> notes = store::ReadNotes(folder, FactoryFont());
    const int first = static_cast<int>(notes.size()) + 1000;
    std::vector<double> added, closed;
    int missedAdded = 0, missedClosed = 0;
    for (int round = 0; round < count; ++round) {
        // Between rounds the copy has nothing left to do: a merge that takes the landed
        // store as it is writes nothing back.
        Drain(display);
        notes.push_back(MadeAt(first + round));
        const double in = WaitFor(display, MapNotify, Land(folder, notes));
        if (in < 0)
            ++missedAdded;
        else
            added.push_back(in);
        Drain(display);
        notes.pop_back();
        const double out = WaitFor(display, UnmapNotify, Land(folder, notes));
        if (out < 0)
            ++missedClosed;
        else
            closed.push_back(out);
    }
    std::printf("%zu notes in the store\n", notes.size());
    Report("store landed -> note made there mapped", added, missedAdded);
    Report("store landed -> note closed there unmapped", closed, missedClosed);
    XCloseDisplay(display);
    return 0;
}
