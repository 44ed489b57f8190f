#pragma once
// The end of the desktop session (or a plain "please stop" from the system): SIGTERM,
// SIGHUP and SIGINT, and the session manager's "die" (which Qt delivers as a Quit event
// to the application), all arrive as one Qt signal on the UI thread. The signal handler
// only writes a byte into a pipe; the work happens when the event loop reads it.
//
// The session manager's save request (commitDataRequest) is not an end: on X11 it
// comes for checkpoints while the session goes on as well as before a logout, and Qt
// does not say which. A logout that goes ahead is followed by "die"; a cancelled one by
// nothing. So a save request is a checkpoint, and only "die" ends the program.

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
    void checkpoint();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readPipe();

    QSocketNotifier* notifier_ = nullptr;
};
