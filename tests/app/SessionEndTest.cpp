// The end of the session arrives as a signal on the UI thread, and the process lives on.

#include "platform/SessionEnd.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

namespace {

TEST(SessionEndTest, TerminateHangUpAndInterruptEachEndTheSessionOnce)
{
    SessionEnd sessionEnd;
    QSignalSpy ended(&sessionEnd, &SessionEnd::ended);
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(signal);
        const int before = ended.count();
        ASSERT_EQ(::kill(::getpid(), signal), 0);
        ASSERT_TRUE(ended.wait(5000));
        EXPECT_EQ(ended.count(), before + 1);
    }
}

TEST(SessionEndTest, TheHandlersAreRemovedWithIt)
{
    {
        SessionEnd sessionEnd;
        struct sigaction current {};
        ::sigaction(SIGTERM, nullptr, &current);
        EXPECT_NE(current.sa_handler, SIG_DFL);
    }
    struct sigaction after {};
    ::sigaction(SIGTERM, nullptr, &after);
    EXPECT_EQ(after.sa_handler, SIG_DFL);
}

TEST(SessionEndTest, ASaveRequestIsACheckpointAndOnlyQuitEndsTheSession)
{
    SessionEnd sessionEnd;
    QSignalSpy ended(&sessionEnd, &SessionEnd::ended);
    QSignalSpy checkpoint(&sessionEnd, &SessionEnd::checkpoint);
    // Qt keeps one session manager per application; the X11 plugin hands it to
    // commitDataRequest for checkpoints and logouts alike.
    auto* manager = qApp->findChild<QSessionManager*>();
    ASSERT_NE(manager, nullptr);
    emit qApp->commitDataRequest(*manager);
    EXPECT_EQ(checkpoint.count(), 1);
    EXPECT_EQ(ended.count(), 0);
    // The session manager's "die" reaches the application as a Quit event.
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(qApp, &quit);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(checkpoint.count(), 1);
}

} // namespace
