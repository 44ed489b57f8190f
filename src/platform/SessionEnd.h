#pragma once
// The end of the desktop session (or a plain "please stop" from the system): SIGTERM,
// SIGHUP and SIGINT, and the session manager's commit request, all arrive as one Qt
// signal on the UI thread. The signal handler only writes a byte into a pipe; the
// work happens when the event loop reads it.

#include <QObject>

class QSocketNotifier;

class SessionEnd : public QObject {
    Q_OBJECT
public:
    // One per process: installs the signal handlers, restored by the destructor.
    explicit SessionEnd(QObject* parent = nullptr);
    ~SessionEnd() override;

signals:
    void ended();

private:
    void readPipe();

    QSocketNotifier* notifier_ = nullptr;
};
