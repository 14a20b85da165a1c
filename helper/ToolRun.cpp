#include "helper/ToolRun.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
    /** What the child is handed, all of it ready before fork. */
    struct Launch
    {
        std::vector<char*> argv;
        // Nothing of whoever started us steers the tool through its environment.
        char* environment[2] = { const_cast<char*> ("PATH=/usr/bin:/bin:/usr/sbin:/sbin"), nullptr };
        sigset_t noSignals;
        int devNull = -1;
        int errorPipe[2] = { -1, -1 };
        int descriptorLimit = 0;
    };

    int pipeClosedOnExec (int ends[2])
    {
       #if defined (__linux__)
        return ::pipe2 (ends, O_CLOEXEC);
       #else
        if (::pipe (ends) != 0)
            return -1;

        ::fcntl (ends[0], F_SETFD, FD_CLOEXEC);
        ::fcntl (ends[1], F_SETFD, FD_CLOEXEC);
        return 0;
       #endif
    }

    /** Every descriptor above standard error closes when the tool starts. The helper
        has none left by then, but a program that runs this as root itself has. */
    void closeAboveStandardErrorOnExec (int descriptorLimit)
    {
       #if defined (__linux__)
        if (::close_range (STDERR_FILENO + 1, ~0U, CLOSE_RANGE_CLOEXEC) == 0)
            return;
       #endif

        for (int fd = STDERR_FILENO + 1; fd < descriptorLimit; ++fd)
            ::fcntl (fd, F_SETFD, FD_CLOEXEC);
    }

    /** After fork: async-signal-safe calls only, since the parent may have threads. */
    [[noreturn]] void becomeTool (const Launch& launch)
    {
        // A group of its own: a terminal's Ctrl-C or hang-up to the group that asked
        // must not stop rm half-way; the side that started it decides when to stop.
        ::setpgid (0, 0);

        // Nothing the tool prints may reach the pipes that carry our frames, nor, raw,
        // the terminal of whoever asked: the reply says in our words how it went.
        if (::dup2 (launch.devNull, STDIN_FILENO) >= 0 && ::dup2 (launch.devNull, STDOUT_FILENO) >= 0
             && ::dup2 (launch.devNull, STDERR_FILENO) >= 0)
        {
            // Where a standard stream came closed, /dev/null took its number, close-on-exec.
            if (launch.devNull <= STDERR_FILENO)
                ::fcntl (launch.devNull, F_SETFD, 0);

            // What we ignore or hold back, or were handed ignored, is no business of the tool.
            struct sigaction defaultAction {};
            defaultAction.sa_handler = SIG_DFL;

            for (int number = 1; number < NSIG; ++number)
                ::sigaction (number, &defaultAction, nullptr);

            ::sigprocmask (SIG_SETMASK, &launch.noSignals, nullptr);
            closeAboveStandardErrorOnExec (launch.descriptorLimit);
            ::execve (launch.argv[0], launch.argv.data(), launch.environment);
        }

        auto error = errno;
        [[maybe_unused]] auto written = ::write (launch.errorPipe[1], &error, sizeof (error));
        ::_exit (127);
    }

    /** The tool's exit status, or 128 and the signal that ended it, as shells give it. */
    std::int32_t toolExitStatus (int waitStatus)
    {
        return WIFSIGNALED (waitStatus) ? 128 + WTERMSIG (waitStatus) : WEXITSTATUS (waitStatus);
    }

    /** Forks and waits; the launch's descriptors are open. */
    HelperProtocol::Reply forkAndWait (const Launch& launch)
    {
        auto pid = ::fork();

        if (pid == 0)
            becomeTool (launch);

        ::close (launch.errorPipe[1]);

        // The pipe closes unread when execve succeeds.
        int error = 0;
        auto execFailed = pid > 0 && HelperProtocol::readAll (launch.errorPipe[0], &error, sizeof (error));

        if (pid < 0)
            return { HelperProtocol::toolNotStarted };

        int status = 0;
        while (::waitpid (pid, &status, 0) < 0 && errno == EINTR) {}

        if (execFailed)
            return { HelperProtocol::toolNotStarted };

        return { HelperProtocol::toolStarted, toolExitStatus (status) };
    }
}

HelperProtocol::Reply ToolRun::run (const std::vector<std::string>& toolAndArguments)
{
    Launch launch;

    for (auto& text : toolAndArguments)
        launch.argv.push_back (const_cast<char*> (text.c_str()));

    launch.argv.push_back (nullptr);
    sigemptyset (&launch.noSignals);

    const auto openMax = ::sysconf (_SC_OPEN_MAX);
    launch.descriptorLimit = openMax > 0 && openMax < (1 << 20) ? (int) openMax : (1 << 20);
    launch.devNull = ::open ("/dev/null", O_RDWR | O_CLOEXEC);

    if (launch.devNull < 0)
        return { HelperProtocol::toolNotStarted };

    if (pipeClosedOnExec (launch.errorPipe) != 0)
    {
        ::close (launch.devNull);
        return { HelperProtocol::toolNotStarted };
    }

    const auto reply = forkAndWait (launch);
    ::close (launch.errorPipe[0]);
    ::close (launch.devNull);
    return reply;
}
