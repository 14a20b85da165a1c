#include <gtest/gtest.h>

#include "common/TerminationHold.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
    /** The wait status of a child that holds, is sent that signal, and lets go. */
    int statusAfterAHeld (int number, bool ignoredBefore)
    {
        const auto pid = ::fork();

        if (pid == 0)
        {
            ::signal (number, ignoredBefore ? SIG_IGN : SIG_DFL);

            {
                const TerminationHold outer;
                const TerminationHold inner;
                ::raise (number);
            }

            ::_exit (TerminationHold::received() == 0 ? 0 : 1);
        }

        int status = 0;
        ::waitpid (pid, &status, 0);
        return status;
    }
}

TEST (TerminationHold, EndsByAHeldSignalOnceLetGoButLeavesOneThatWasIgnoredIgnored)
{
    for (const auto number : { SIGINT, SIGTERM, SIGHUP })
    {
        const auto held = statusAfterAHeld (number, false);
        EXPECT_TRUE (WIFSIGNALED (held) && WTERMSIG (held) == number) << number << ": " << held;

        // As under nohup: the removal goes on to its end.
        const auto ignored = statusAfterAHeld (number, true);
        EXPECT_TRUE (WIFEXITED (ignored) && WEXITSTATUS (ignored) == 0) << number << ": " << ignored;
    }
}
