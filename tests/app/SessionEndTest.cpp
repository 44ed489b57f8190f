// The end of the session arrives as a signal on the UI thread, and the process lives on.

#include "platform/SessionEnd.h"

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

} // namespace
