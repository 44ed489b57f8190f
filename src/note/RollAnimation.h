#pragma once
// Rolls a group of notes up or down together: every timer tick moves each note to the
// step of its 30 that is due by the clock, so "Minimize all" takes about as long as one
// note does (a tick that moves hundreds of windows passes over steps rather than
// slowing the roll down) and the program keeps answering meanwhile.

#include "note/Note.h"

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include <vector>

class RollAnimation : public QObject {
public:
    // Toggles every note (its record changes at once) and starts moving them; a group
    // still on its way is put at its end places first.
    static void Start(const std::vector<CNote*>& notes);
    // Puts a note that is on its way straight at its end place.
    static void Finish(CNote* note);
    static bool Running() { return running_ != nullptr; }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    struct Entry {
        QPointer<CNote> note;
        CNote::Roll roll;
    };

    void FinishAll();

    std::vector<Entry> entries_;
    int step_ = 0;
    QElapsedTimer clock_;
    QBasicTimer timer_;
    static RollAnimation* running_;
};
