#include "platform/linux/HelperRequests.h"

#include "platform/SystemLog.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
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

    bool isRemoval (const Strings& request, const AllowList& allowed)
    {
        return request.size() == 4 && isTarget (request[3], allowed)
            && request == HelperRequests::removalRequest (allowed.removeTool, request[3]);
    }

    bool isExistenceQuery (const Strings& request, const AllowList& allowed)
    {
        return request.size() == 2 && request[0] == HelperProtocol::existenceQuery
            && isTarget (request[1], allowed);
    }

    bool isPresent (const std::string& path)
    {
        struct stat info {};
        return ::lstat (path.c_str(), &info) == 0;
    }

    /** Why someone other than root, or the user we run as, could change where the
        path leads; empty when nobody can: every folder from "/" down to its parent is
        a real folder, not a link, owned by one of them and writable by nobody else,
        unless it is sticky, where nobody else may move their entries. Asked before
        each removal, since folders change. */
    std::string findUntrustedFolder (const std::string& target)
    {
        const auto us = ::geteuid();

        for (auto slash = target.find ('/'); slash != std::string::npos; slash = target.find ('/', slash + 1))
        {
            struct stat info {};
            auto folder = slash == 0 ? std::string ("/") : target.substr (0, slash);

            if (::lstat (folder.c_str(), &info) != 0 || ! S_ISDIR (info.st_mode))
                return "the folder " + folder + (S_ISLNK (info.st_mode) ? " is a link" : " is not a folder");

            if (info.st_uid != 0 && info.st_uid != us)
                return "the folder " + folder + " belongs to uid " + std::to_string (info.st_uid);

            if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0 && (info.st_mode & S_ISVTX) == 0)
                return "the folder " + folder + " may be written by others than its owner";
        }

        return {};
    }

    /** A mount point as the mount table writes it: space, tab, newline and backslash as octal escapes. */
    std::string decodeMountPoint (const std::string& field)
    {
        std::string path;

        for (std::size_t i = 0; i < field.size(); ++i)
        {
            const bool isEscape = field[i] == '\\' && i + 3 < field.size()
                                   && field.find_first_not_of ("01234567", i + 1) >= i + 4;

            if (isEscape)
            {
                path += (char) std::stoi (field.substr (i + 1, 3), nullptr, 8);
                i += 3;
            }
            else
            {
                path += field[i];
            }
        }

        return path;
    }

    /** Where a file system is mounted at the target or inside it, in words; empty
        when none is. rm would empty it: --one-file-system knows a different device
        only, not a folder bound from the same one. */
    std::string findMountInside (const std::string& target)
    {
        std::ifstream mountTable ("/proc/self/mountinfo");
        std::string line;

        while (std::getline (mountTable, line))
        {
            std::istringstream fields (line);
            std::string field, mountPoint;

            // ID, parent ID, device, root, then the mount point.
            for (int i = 0; i < 5 && fields >> field; ++i)
                mountPoint = field;

            mountPoint = decodeMountPoint (mountPoint);

            if (mountPoint == target || mountPoint.rfind (target + "/", 0) == 0)
                return "a file system is mounted at " + SystemLog::escapeControlCharacters (mountPoint);
        }

        return {};
    }

    /** The record that the administrator reads: what was removed, or what remains and why. */
    void record (const std::string& target, const std::string& reason, const AllowList& allowed)
    {
        const auto askedBy = ", asked by " + SystemLog::describeAskingUser() + " from " + allowed.asker;

        if (reason.empty())
            SystemLog::notice ("removed " + target + askedBy);
        else
            SystemLog::warning ("could not remove " + target + " (" + reason + ")" + askedBy);
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
        // Nothing the tool prints may reach the pipes that carry our frames, nor, raw,
        // the terminal of whoever asked: the reply says in our words how it went.
        auto devNull = ::open ("/dev/null", O_RDWR | O_CLOEXEC);

        if (devNull >= 0 && ::dup2 (devNull, STDIN_FILENO) >= 0 && ::dup2 (devNull, STDOUT_FILENO) >= 0
             && ::dup2 (devNull, STDERR_FILENO) >= 0)
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

    HelperProtocol::Reply remove (const Strings& request, const std::string& target)
    {
        // Whoever may change a folder on the way could point the removal elsewhere.
        if (auto why = findUntrustedFolder (target); ! why.empty())
            return { HelperProtocol::pathNotTrusted, HelperProtocol::noExitStatus, why };

        if (auto why = findMountInside (target); ! why.empty())
            return { HelperProtocol::fileSystemMounted, HelperProtocol::noExitStatus, why };

        auto reply = runTool (request);

        if (isPresent (target))
            reply.reason = reply.code == HelperProtocol::toolStarted
                               ? "still present after removal; rm ended with status " + std::to_string (reply.toolExitStatus)
                               : "rm could not be started";

        return reply;
    }
}

HelperRequests::Strings HelperRequests::removalRequest (const std::string& removeTool, const std::string& target)
{
    return { removeTool, RemovalTool::recursively, RemovalTool::withinOneFileSystem, target };
}

HelperProtocol::Reply HelperRequests::answer (const Strings& request, const AllowList& allowed)
{
    if (isExistenceQuery (request, allowed))
        return { isPresent (request[1]) ? HelperProtocol::pathPresent : HelperProtocol::pathAbsent };

    if (request == Strings { allowed.echoTool })
        return runTool (request);

    if (! isRemoval (request, allowed))
        return { HelperProtocol::toolNotAllowed };

    // Another removal may have come first.
    if (! isPresent (request[3]))
        return { HelperProtocol::pathAbsent };

    auto reply = remove (request, request[3]);
    record (request[3], reply.reason, allowed);
    return reply;
}
