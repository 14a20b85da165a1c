#include "platform/HelperConnection.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <utility>
#include <pthread.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
    void closeIfOpen (int& fd)
    {
        if (fd >= 0)
            ::close (fd);

        fd = -1;
    }

    /** A write to a helper that has gone must fail, not kill the program with SIGPIPE.
        The signal is held back for this thread alone and any that arrived is taken. */
    class ScopedSigpipeHold
    {
    public:
        ScopedSigpipeHold()
        {
            sigemptyset (&pipeSignal);
            sigaddset (&pipeSignal, SIGPIPE);
            pthread_sigmask (SIG_BLOCK, &pipeSignal, &previous);
        }

        ~ScopedSigpipeHold()
        {
            sigset_t pending;
            sigpending (&pending);

            // sigwait returns at once here: the signal is pending.
            if (sigismember (&pending, SIGPIPE) == 1)
            {
                int taken = 0;
                sigwait (&pipeSignal, &taken);
            }

            pthread_sigmask (SIG_SETMASK, &previous, nullptr);
        }

    private:
        sigset_t pipeSignal, previous;
    };
}

HelperConnection::~HelperConnection()
{
    close();
}

void HelperConnection::adopt (pid_t process, int requestDescriptor, int replyDescriptor)
{
    if (started)
        return;

    started = true;
    toHelper = requestDescriptor;
    fromHelper = replyDescriptor;

    const std::scoped_lock lock (processLock);
    pid = process;
}

bool HelperConnection::readGreeting()
{
    std::int32_t greetedId = 0;

    if (! HelperProtocol::readGreeting (fromHelper, greetedId))
        return false;

    const std::scoped_lock lock (processLock);

    // Whoever started it knew better: a helper that names another process is not ours.
    if (pid > 0 && pid != greetedId)
        return false;

    pid = greetedId;
    greeted = true;
    return true;
}

HelperProtocol::Reply HelperConnection::request (const std::vector<std::string>& toolAndArguments)
{
    if (toHelper < 0)
        return { helperGone };

    HelperProtocol::Reply reply;

    {
        const ScopedSigpipeHold hold;

        // The request goes first: under pkexec the greeting comes only once the user has answered.
        if (HelperProtocol::writeRequest (toHelper, toolAndArguments)
             && (greeted || readGreeting())
             && HelperProtocol::readReply (fromHelper, reply))
            return reply;
    }

    close();
    return { helperGone };
}

void HelperConnection::closeRequestPipe()
{
    // One socket may carry both directions: its other descriptor stays open, so the
    // helper learns of the end from the shutdown. On a pipe this fails, harmlessly.
    if (toHelper >= 0)
        ::shutdown (toHelper, SHUT_WR);

    closeIfOpen (toHelper);
}

void HelperConnection::close()
{
    closeRequestPipe();

    // A helper that was sent nothing has greeted all the same: where only the
    // greeting names it, it is read now, so that the helper is waited for.
    if (! greeted && fromHelper >= 0)
        readGreeting();

    closeIfOpen (fromHelper);

    // Taken before the wait: once reaped, the number may already name another process.
    pid_t toReap = -1;
    {
        const std::scoped_lock lock (processLock);
        std::swap (toReap, pid);
    }

    if (toReap > 0)
    {
        int status = 0;
        auto reaped = ::waitpid (toReap, &status, 0);

        while (reaped < 0 && errno == EINTR)
            reaped = ::waitpid (toReap, &status, 0);

        if (reaped == toReap && WIFEXITED (status))
            exitStatus = WEXITSTATUS (status);
    }
}

void HelperConnection::terminate()
{
    const std::scoped_lock lock (processLock);

    if (pid > 0)
        ::kill (pid, SIGTERM);
}
