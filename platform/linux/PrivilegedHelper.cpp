// The program's privileged helper. pkexec starts it as root for anyone who can
// authenticate, so it runs only what the uninstaller needs: "/bin/echo" with no
// arguments, and "/bin/rm -r" on one of the driver bundles, byte for byte, where
// nobody but root can change the folders on the bundle's path. It also tells
// whether one of those bundles exists, which the user may be unable to see.
// Requests come on standard input and replies go to standard output (see
// HelperProtocol); it exits when its input ends, which is also what happens when
// the program that started it dies.

#include "platform/linux/HelperProtocol.h"
#include "platform/linux/HelperRequests.h"
#include "uninstall/DriverBundles.h"

#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
    using Strings = std::vector<std::string>;
    using HelperRequests::AllowList;

    /** The product takes nothing from its command line or environment; the build for
        the tests, which is never installed, is given scratch paths in their place and
        may be given stand-ins for the tools as "--echo=PATH" and "--rm=PATH". */
    AllowList readAllowList ([[maybe_unused]] int argc, [[maybe_unused]] char** argv)
    {
        AllowList allowed;

       #ifdef PELK_HELPER_FOR_TESTS
        for (auto& argument : Strings (argv + 1, argv + argc))
        {
            if (argument.rfind ("--echo=", 0) == 0)
                allowed.echoTool = argument.substr (7);
            else if (argument.rfind ("--rm=", 0) == 0)
                allowed.removeTool = argument.substr (5);
            else
                allowed.targets.push_back (argument);
        }
       #else
        allowed.targets.assign (DriverBundles::paths.begin(), DriverBundles::paths.end());
       #endif

        return allowed;
    }

    /** Closes every descriptor above standard error, one by one where the kernel
        cannot do it at once (too old, or a filter forbids it). False if some may be left. */
    bool closeDescriptorsAboveStandardError()
    {
        if (::close_range (STDERR_FILENO + 1, ~0U, 0) == 0)
            return true;

        auto* folder = ::opendir ("/proc/self/fd");

        if (folder == nullptr)
            return false;

        std::vector<int> open;

        while (auto* entry = ::readdir (folder))
            if (auto fd = std::atoi (entry->d_name); fd > STDERR_FILENO && fd != ::dirfd (folder))
                open.push_back (fd);

        ::closedir (folder);

        for (auto fd : open)
            ::close (fd);

        return true;
    }
}

int main (int argc, char** argv)
{
    // A reader that went away shows as a failed write, and we end.
    ::signal (SIGPIPE, SIG_IGN);

    // Whatever else we were handed is no business of the tools.
    if (! closeDescriptorsAboveStandardError())
        return 1;

    const auto allowed = readAllowList (argc, argv);

    for (;;)
    {
        Strings request;

        switch (HelperProtocol::readRequest (STDIN_FILENO, request))
        {
            case HelperProtocol::ReadResult::endOfInput:
                return 0;

            case HelperProtocol::ReadResult::malformed:
                // The framing is lost: nothing after this could be trusted.
                HelperProtocol::writeReply (STDOUT_FILENO, { HelperProtocol::framingLost });
                return 1;

            case HelperProtocol::ReadResult::request:
                if (! HelperProtocol::writeReply (STDOUT_FILENO, HelperRequests::answer (request, allowed)))
                    return 1;
                break;
        }
    }
}
