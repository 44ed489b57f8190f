// Starts a program and times it from exec until the root window has seen a given number
// of MapNotify events (no polling: the events come to this process as they happen).
// Prints "<ms to mapped> <pid>", then reads commands from stdin:
//   term   sends SIGTERM and prints "<ms until the process is gone>"
// and ends with the program.   map_timer <windows> <program> [args...]

#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: map_timer <windows> <program> [args...]\n");
        return 2;
    }
    const int want = std::atoi(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "map_timer: no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        close(ConnectionNumber(display));
        execv(argv[2], argv + 2);
        _exit(127);
    }
    int mapped = 0;
    const int fd = ConnectionNumber(display);
    while (mapped < want) {
        while (XPending(display) && mapped < want) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify)
                ++mapped;
        }
        if (mapped >= want)
            break;
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 200);
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::printf("ended %d\n", mapped);
            return 1;
        }
        if (MillisecondsSince(start) > 60000) {
            std::printf("timeout %d\n", mapped);
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return 1;
        }
    }
    std::printf("%.1f %d\n", MillisecondsSince(start), pid);
    std::fflush(stdout);

    char line[64];
    while (std::fgets(line, sizeof line, stdin)) {
        if (std::strncmp(line, "term", 4) == 0) {
            const auto term = std::chrono::steady_clock::now();
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
            std::printf("%.1f\n", MillisecondsSince(term));
            std::fflush(stdout);
            return 0;
        }
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return 0;
}
