// SIGTERM and SIGINT reach our own thread, and a helper process (as SDL runs
// its message boxes in) is ended so that the box's call returns.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/TerminationSignals.h"

namespace ik {
namespace {

TEST(TerminationSignals, EachSignalReachesTheHandlerThread) {
    for (int signal : {SIGTERM, SIGINT}) {
        std::mutex mutex;
        std::condition_variable arrived;
        int calls = 0;
        {
            TerminationSignals signals([&] {
                std::lock_guard hold(mutex);
                ++calls;
                arrived.notify_all();
            });
            ASSERT_EQ(::raise(signal), 0);
            std::unique_lock hold(mutex);
            EXPECT_TRUE(arrived.wait_for(hold, std::chrono::seconds(30), [&] { return calls > 0; })) << signal;
        }
        EXPECT_EQ(calls, 1) << signal;
    }
}

// The helper is forked while our handlers are installed, as SDL forks its
// message box: it inherits them, and must still end on SIGTERM.
TEST(TerminationSignals, AHelperProcessIsEnded) {
    TerminationSignals signals([] {});
    const pid_t helper = ::fork();
    ASSERT_GE(helper, 0);
    if (helper == 0) {
        ::pause();
        ::_exit(0);
    }
    endMessageBoxes();
    int status = 0;
    ASSERT_EQ(::waitpid(helper, &status, 0), helper);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
}

}  // namespace
}  // namespace ik
