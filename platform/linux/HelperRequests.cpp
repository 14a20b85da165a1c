#include "platform/linux/HelperRequests.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
    using Strings = HelperRequests::Strings;
    using HelperRequests::AllowList;

    bool isTarget (const std::string& path, const AllowList& allowed)
    {
        for (auto& target : allowed.targets)
            if (path == target)
                return true;

        return false;
    }

    bool isAllowed (const Strings& request, const AllowList& allowed)
    {
        if (request == Strings { allowed.echoTool })
            return true;

        return request.size() == 3 && request[0] == allowed.removeTool && request[1] == "-r"
            && isTarget (request[2], allowed);
    }

    bool isExistenceQuery (const Strings& request, const AllowList& allowed)
    {
        return request.size() == 2 && request[0] == HelperProtocol::existenceQuery
            && isTarget (request[1], allowed);
    }

    HelperProtocol::Reply answerExistence (const std::string& target)
    {
        struct stat info {};
        return { ::lstat (target.c_str(), &info) == 0 ? HelperProtocol::pathPresent
                                                      : HelperProtocol::pathAbsent };
    }

    /** Whether nobody but root, or the user we run as, can change where the path leads:
        every folder from "/" down to its parent is a real folder, not a link, owned by
        one of them and writable by nobody else, unless it is sticky, where nobody else
        may move their entries. Asked before each removal, since folders change. */
    bool isOnATrustedPath (const std::string& target)
    {
        const auto us = ::geteuid();

        for (auto slash = target.find ('/'); slash != std::string::npos; slash = target.find ('/', slash + 1))
        {
            struct stat info {};
            auto folder = slash == 0 ? std::string ("/") : target.substr (0, slash);

            if (::lstat (folder.c_str(), &info) != 0 || ! S_ISDIR (info.st_mode))
                return false;

            if (info.st_uid != 0 && info.st_uid != us)
                return false;

            if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0 && (info.st_mode & S_ISVTX) == 0)
                return false;
        }

        return true;
    }

    /** What we ignore or hold back, or were handed ignored, is no business of the tools. */
    void restoreDefaultSignals()
    {
        for (int number = 1; number < NSIG; ++number)
            ::signal (number, SIG_DFL);

        sigset_t none;
        sigemptyset (&none);
        ::sigprocmask (SIG_SETMASK, &none, nullptr);
    }

    /** Every descriptor above standard error closes when the tool starts. The helper
        has none left by then, but root's command line may have been handed some. */
    void closeAboveStandardErrorOnExec (int descriptorLimit)
    {
       #if defined (__linux__)
        if (::close_range (STDERR_FILENO + 1, ~0U, CLOSE_RANGE_CLOEXEC) == 0)
            return;
       #endif

        for (int fd = STDERR_FILENO + 1; fd < descriptorLimit; ++fd)
            ::fcntl (fd, F_SETFD, FD_CLOEXEC);
    }

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

    [[noreturn]] void becomeTool (const Strings& request, int errorPipe, int descriptorLimit)
    {
        // Nothing the tool prints may reach the pipes that carry our frames.
        auto devNull = ::open ("/dev/null", O_RDWR | O_CLOEXEC);

        if (devNull >= 0 && ::dup2 (devNull, STDIN_FILENO) >= 0 && ::dup2 (devNull, STDOUT_FILENO) >= 0)
        {
            restoreDefaultSignals();
            closeAboveStandardErrorOnExec (descriptorLimit);

            std::vector<char*> argv;
            for (auto& text : request)
                argv.push_back (const_cast<char*> (text.c_str()));
            argv.push_back (nullptr);

            // Nothing of whoever started us steers the tool through its environment.
            char path[] = "PATH=/usr/bin:/bin:/usr/sbin:/sbin";
            char* const environment[] = { path, nullptr };

            ::execve (argv[0], argv.data(), environment);
        }

        auto error = errno;
        HelperProtocol::writeAll (errorPipe, &error, sizeof (error));
        ::_exit (127);
    }

    /** The tool's exit status, or 128 and the signal that ended it, as shells give it. */
    std::int32_t toolExitStatus (int waitStatus)
    {
        return WIFSIGNALED (waitStatus) ? 128 + WTERMSIG (waitStatus) : WEXITSTATUS (waitStatus);
    }

    /** Runs the tool and waits for it to end. */
    HelperProtocol::Reply runTool (const Strings& request)
    {
        int errorPipe[2];

        if (pipeClosedOnExec (errorPipe) != 0)
            return { HelperProtocol::toolNotStarted };

        const auto openMax = ::sysconf (_SC_OPEN_MAX);
        const auto descriptorLimit = openMax > 0 && openMax < (1 << 20) ? (int) openMax : (1 << 20);
        auto pid = ::fork();

        if (pid == 0)
            becomeTool (request, errorPipe[1], descriptorLimit);

        ::close (errorPipe[1]);

        // The pipe closes unread when execv succeeds.
        int error = 0;
        auto execFailed = pid > 0 && HelperProtocol::readAll (errorPipe[0], &error, sizeof (error));
        ::close (errorPipe[0]);

        if (pid < 0)
            return { HelperProtocol::toolNotStarted };

        int status = 0;
        while (::waitpid (pid, &status, 0) < 0 && errno == EINTR) {}

        if (execFailed)
            return { HelperProtocol::toolNotStarted };

        return { HelperProtocol::toolStarted, toolExitStatus (status) };
    }
}

HelperProtocol::Reply HelperRequests::answer (const Strings& request, const AllowList& allowed)
{
    if (isExistenceQuery (request, allowed))
        return answerExistence (request[1]);

    if (! isAllowed (request, allowed))
        return { HelperProtocol::toolNotAllowed };

    // Whoever may change a folder on the way could point the removal elsewhere.
    if (request.size() == 3 && ! isOnATrustedPath (request[2]))
        return { HelperProtocol::pathNotTrusted };

    return runTool (request);
}
