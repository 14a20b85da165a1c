// The program's privileged helper. pkexec starts it as root for anyone who can
// authenticate, so it runs only what the uninstaller needs: "/bin/echo" with no
// arguments, and "/bin/rm -r --one-file-system" on one of the driver bundles, byte
// for byte, where nobody but root can change the folders on the bundle's path. It
// also tells whether one of those bundles exists, which the user may be unable to
// see, and writes each removal to the system log. Requests come on standard input
// and replies go to standard output (see HelperProtocol); it exits when its input
// ends, which is also what happens when the program that started it dies.

#include "platform/linux/HelperProtocol.h"
#include "platform/linux/HelperRequests.h"
#include "platform/linux/RemovalLock.h"
#include "uninstall/DriverBundles.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <unistd.h>
#include <vector>

// What runs as root is built hardened or not at all; an unoptimised build for the
// sanitizers cannot fortify.
#if ! defined (_GLIBCXX_ASSERTIONS) || (defined (__OPTIMIZE__) && (! defined (_FORTIFY_SOURCE) || _FORTIFY_SOURCE < 3))
 #error "The privileged helper is built with _GLIBCXX_ASSERTIONS and, optimised, _FORTIFY_SOURCE=3"
#endif

namespace
{
    using Strings = std::vector<std::string>;
    using HelperRequests::AllowList;

    constexpr const char* askedByOption = "--asked-by=";

    bool startsWith (const std::string& text, const char* prefix)
    {
        return text.rfind (prefix, 0) == 0;
    }

    /** Only the words that the record may name: anything else leaves "the window". */
    void readAsker (const std::string& argument, AllowList& allowed)
    {
        const auto asker = argument.substr (std::string (askedByOption).size());

        if (asker == "window" || asker == "command-line")
            allowed.asker = asker == "window" ? "the window" : "the command line";
    }

    /** The product takes from its command line only who asked, and nothing from its
        environment but the user pkexec names; the build for the tests, which is never
        installed, is given scratch paths in place of the bundles, and may be given
        stand-ins for the tools as "--echo=PATH" and "--rm=PATH" and a lock file as
        "--lock=PATH" (it holds none without). */
    AllowList readAllowList (int argc, char** argv, std::string& lockFile)
    {
        AllowList allowed;
        lockFile = RemovalTool::lockFile;

       #ifdef PELK_HELPER_FOR_TESTS
        lockFile.clear();
       #else
        allowed.targets.assign (DriverBundles::paths.begin(), DriverBundles::paths.end());
       #endif

        for (auto& argument : Strings (argv + 1, argv + argc))
        {
            if (startsWith (argument, askedByOption))
                readAsker (argument, allowed);
           #ifdef PELK_HELPER_FOR_TESTS
            else if (startsWith (argument, "--echo="))
                allowed.echoTool = argument.substr (7);
            else if (startsWith (argument, "--rm="))
                allowed.removeTool = argument.substr (5);
            else if (startsWith (argument, "--lock="))
                lockFile = argument.substr (7);
            else
                allowed.targets.push_back (argument);
           #endif
        }

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
    // A person who starts us by hand would otherwise type frames, and get bytes back.
    if (::isatty (STDIN_FILENO) || ::isatty (STDOUT_FILENO))
    {
        std::fputs ("pelk-usb-midi-driver-uninstaller-helper: the privileged helper of PELK USB MIDI Driver "
                    "Uninstaller, started by it through pkexec; run pelk-usb-midi-driver-uninstaller instead\n",
                    stderr);
        return 2;
    }

    // A reader that went away shows as a failed write, and we end.
    ::signal (SIGPIPE, SIG_IGN);

    // Whatever else we were handed is no business of the tools.
    if (! closeDescriptorsAboveStandardError())
        return 1;

    std::string lockFile;
    const auto allowed = readAllowList (argc, argv, lockFile);

    // Held until we end: a second helper answers nothing, not even the prompt's
    // trial run, until this one is done, and then finds the bundles gone.
    const RemovalLock lock (lockFile);

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
