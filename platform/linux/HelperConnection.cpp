#include "platform/linux/HelperConnection.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <utility>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

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

            if (sigismember (&pending, SIGPIPE) == 1)
            {
                const timespec noWait {};
                sigtimedwait (&pipeSignal, nullptr, &noWait);
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

bool HelperConnection::start (const std::vector<std::string>& command)
{
    if (started || command.empty())
        return false;

    started = true;

    // Close-on-exec, so that no other child of ours holds the helper's input open.
    int input[2], output[2];

    if (::pipe2 (input, O_CLOEXEC) != 0)
        return false;

    if (::pipe2 (output, O_CLOEXEC) != 0)
    {
        ::close (input[0]);
        ::close (input[1]);
        return false;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_adddup2 (&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2 (&actions, output[1], STDOUT_FILENO);

    std::vector<char*> argv;
    for (auto& text : command)
        argv.push_back (const_cast<char*> (text.c_str()));
    argv.push_back (nullptr);

    pid_t spawned = -1;
    auto result = posix_spawn (&spawned, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy (&actions);

    ::close (input[0]);
    ::close (output[1]);
    toHelper = input[1];
    fromHelper = output[0];

    if (result != 0)
    {
        close();
        return false;
    }

    const std::scoped_lock lock (processLock);
    pid = spawned;
    return true;
}

HelperProtocol::Reply HelperConnection::request (const std::vector<std::string>& toolAndArguments)
{
    if (toHelper < 0)
        return { helperGone };

    HelperProtocol::Reply reply;

    {
        const ScopedSigpipeHold hold;

        if (HelperProtocol::writeRequest (toHelper, toolAndArguments)
             && HelperProtocol::readReply (fromHelper, reply))
            return reply;
    }

    close();
    return { helperGone };
}

void HelperConnection::closeRequestPipe()
{
    closeIfOpen (toHelper);
}

void HelperConnection::close()
{
    closeRequestPipe();
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
