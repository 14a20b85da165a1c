#include "common/TerminationHold.h"

#include <atomic>
#include <csignal>
#include <mutex>
#include <pthread.h>

namespace
{
    constexpr int heldSignals[] { SIGINT, SIGTERM, SIGHUP, SIGQUIT };

    std::atomic<int> firstReceived { 0 };
    std::mutex depthLock;
    int depth = 0;
    struct sigaction previous[std::size (heldSignals)];

    void takeNote (int number)
    {
        int none = 0;
        firstReceived.compare_exchange_strong (none, number);
    }

    bool isIgnored (const struct sigaction& action)
    {
        return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler == SIG_IGN;
    }

    [[noreturn]] void endBy (int number)
    {
        struct sigaction defaultAction {};
        defaultAction.sa_handler = SIG_DFL;
        ::sigaction (number, &defaultAction, nullptr);

        sigset_t only;
        sigemptyset (&only);
        sigaddset (&only, number);
        pthread_sigmask (SIG_UNBLOCK, &only, nullptr);

        ::raise (number);
        std::_Exit (128 + number);
    }
}

TerminationHold::TerminationHold()
{
    const std::scoped_lock lock (depthLock);

    if (depth++ > 0)
        return;

    struct sigaction note {};
    note.sa_handler = takeNote;
    note.sa_flags = SA_RESTART;   // the waits for rm and for the lock go on
    sigemptyset (&note.sa_mask);

    for (std::size_t i = 0; i < std::size (heldSignals); ++i)
    {
        ::sigaction (heldSignals[i], nullptr, &previous[i]);

        // One ignored on purpose, as nohup ignores SIGHUP, stays ignored.
        if (! isIgnored (previous[i]))
            ::sigaction (heldSignals[i], &note, nullptr);
    }
}

TerminationHold::~TerminationHold()
{
    const std::scoped_lock lock (depthLock);

    if (--depth > 0)
        return;

    // Restored first: a signal that comes before the look is then seen by it, and
    // one that comes after meets the handling that we found.
    for (std::size_t i = 0; i < std::size (heldSignals); ++i)
        ::sigaction (heldSignals[i], &previous[i], nullptr);

    if (const auto number = firstReceived.load(); number != 0)
        endBy (number);
}

int TerminationHold::received() noexcept
{
    return firstReceived.load();
}
