#include "platform/SessionEnd.h"

#include <QEvent>
#include <QGuiApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int pipeFds[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
struct sigaction previous[3];

extern "C" void OnSignal(int signal)
{
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    // A full pipe already holds a wake-up; nothing else is safe to do here.
    [[maybe_unused]] const ssize_t n = ::write(pipeFds[1], &byte, 1);
    errno = saved;
}

} // namespace

SessionEnd::SessionEnd(QObject* parent) : QObject(parent)
{
    if (pipeFds[0] < 0 && ::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        pipeFds[0] = pipeFds[1] = -1;
    if (pipeFds[0] >= 0) {
        notifier_ = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &SessionEnd::readPipe);
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int i = 0; i < 3; ++i)
            ::sigaction(kSignals[i], &action, &previous[i]);
    }
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this, &SessionEnd::checkpoint);
        app->installEventFilter(this);
    }
}

SessionEnd::~SessionEnd()
{
    if (notifier_) {
        for (int i = 0; i < 3; ++i)
            ::sigaction(kSignals[i], &previous[i], nullptr);
    }
}

bool SessionEnd::eventFilter(QObject* watched, QEvent* event)
{
    // Quitting the application would leave the panel's loop without saving.
    if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit) {
        emit ended();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void SessionEnd::readPipe()
{
    char buffer[64];
    bool any = false;
    while (::read(pipeFds[0], buffer, sizeof buffer) > 0)
        any = true;
    if (any)
        emit ended();
}
