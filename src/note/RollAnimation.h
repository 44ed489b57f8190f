#pragma once
// Rolls notes up or down: every timer tick moves each window to the step of its
// kSteps that is due by the clock, so "Minimize all" takes about as long as one note
// does (a tick that moves hundreds of windows passes over steps rather than slowing the
// roll down) and the program keeps answering meanwhile. A roll of one note runs beside
// the others; a group roll puts every roll still on its way at its end first.

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class RollAnimation : public QObject {
public:
    static constexpr int kSteps = 30;
    static constexpr int kStepMs = 4; // lets the eye follow the roll

    // One window on its way: place(k) puts it at step k, end() at its end place.
    struct Entry {
        QPointer<QObject> window;
        std::function<void(int step)> place;
        std::function<void()> end;
    };

    // Starts moving the entries together, each put at its step 0 at once.
    static void Start(std::vector<Entry> entries);
    // Puts a window that is on its way straight at its end place.
    static void Finish(QObject* window);
    // Puts every window that is on its way at its end place.
    static void FinishAll();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void End();

    std::vector<Entry> entries_;
    int step_ = 0;
    QElapsedTimer clock_;
    QBasicTimer timer_;
    static std::vector<RollAnimation*> running_;
};
