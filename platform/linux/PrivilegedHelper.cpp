// The program's privileged helper. pkexec starts it as root for anyone who can
// authenticate, so it runs only what the uninstaller needs: "/bin/echo" with no
// arguments, and "/bin/rm -r" on one of the driver bundles, byte for byte.
// Requests come on standard input and replies go to standard output (see
// HelperProtocol); it exits when its input ends, which is also what happens when
// the program that started it dies.

#include "platform/linux/HelperProtocol.h"
#include "uninstall/DriverBundles.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{
    using Strings = std::vector<std::string>;

    /** The product takes nothing from its command line or environment; the build for
        the tests, which is never installed, is given scratch paths in their place. */
    Strings allowedTargets ([[maybe_unused]] int argc, [[maybe_unused]] char** argv)
    {
       #ifdef PELK_HELPER_FOR_TESTS
        return Strings (argv + 1, argv + argc);
       #else
        return Strings (DriverBundles::paths.begin(), DriverBundles::paths.end());
       #endif
    }

    bool isAllowed (const Strings& request, const Strings& targets)
    {
        if (request == Strings { "/bin/echo" })
            return true;

        if (request.size() != 3 || request[0] != "/bin/rm" || request[1] != "-r")
            return false;

        for (auto& target : targets)
            if (request[2] == target)
                return true;

        return false;
    }

    [[noreturn]] void becomeTool (const Strings& request, int errorPipe)
    {
        // Nothing the tool prints may reach the pipes that carry our frames.
        auto devNull = ::open ("/dev/null", O_RDWR);

        if (devNull >= 0)
        {
            ::dup2 (devNull, STDIN_FILENO);
            ::dup2 (devNull, STDOUT_FILENO);

            std::vector<char*> argv;
            for (auto& text : request)
                argv.push_back (const_cast<char*> (text.c_str()));
            argv.push_back (nullptr);

            ::execv (argv[0], argv.data());
        }

        auto error = errno;
        HelperProtocol::writeAll (errorPipe, &error, sizeof (error));
        ::_exit (127);
    }

    /** Runs the tool, waits for it to end and says whether it could be started;
        the tool's own exit status is not our answer. */
    std::int32_t runTool (const Strings& request)
    {
        int errorPipe[2];

        if (::pipe2 (errorPipe, O_CLOEXEC) != 0)
            return HelperProtocol::toolNotStarted;

        auto pid = ::fork();

        if (pid == 0)
            becomeTool (request, errorPipe[1]);

        ::close (errorPipe[1]);

        // The pipe closes unread when execv succeeds.
        int error = 0;
        auto execFailed = pid > 0 && HelperProtocol::readAll (errorPipe[0], &error, sizeof (error));
        ::close (errorPipe[0]);

        if (pid < 0)
            return HelperProtocol::toolNotStarted;

        int status = 0;
        while (::waitpid (pid, &status, 0) < 0 && errno == EINTR) {}

        return execFailed ? HelperProtocol::toolNotStarted : HelperProtocol::toolStarted;
    }

    std::int32_t answer (const Strings& request, const Strings& targets)
    {
        if (request.front().empty() || request.front().front() != '/')
            return HelperProtocol::requestMalformed;

        return isAllowed (request, targets) ? runTool (request) : HelperProtocol::toolNotAllowed;
    }
}

int main (int argc, char** argv)
{
    // A reader that went away shows as a failed write, and we end.
    ::signal (SIGPIPE, SIG_IGN);

    // Whatever else we were handed is no business of the tools.
    ::close_range (STDERR_FILENO + 1, ~0U, 0);

    const auto targets = allowedTargets (argc, argv);

    for (;;)
    {
        Strings request;

        switch (HelperProtocol::readRequest (STDIN_FILENO, request))
        {
            case HelperProtocol::ReadResult::endOfInput:
                return 0;

            case HelperProtocol::ReadResult::malformed:
                // The framing is lost: nothing after this could be trusted.
                HelperProtocol::writeReply (STDOUT_FILENO, HelperProtocol::requestMalformed);
                return 1;

            case HelperProtocol::ReadResult::request:
                if (! HelperProtocol::writeReply (STDOUT_FILENO, answer (request, targets)))
                    return 1;
                break;
        }
    }
}
