#include "helper/HelperService.h"

#include "common/ProductInfo.h"
#include "common/TerminationHold.h"
#include "helper/RemovalLock.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace
{
    /** Closes every descriptor above standard error, one by one where the kernel
        cannot do it at once (too old, or a filter forbids it). False if some may be left. */
    bool closeDescriptorsAboveStandardError()
    {
       #if defined (__linux__)
        if (::close_range (STDERR_FILENO + 1, ~0U, 0) == 0)
            return true;

        auto* folder = ::opendir ("/proc/self/fd");
       #else
        auto* folder = ::opendir ("/dev/fd");
       #endif

        if (folder == nullptr)
            return false;

        std::vector<int> open;

        while (auto* entry = ::readdir (folder))
            if (auto fd = std::atoi (entry->d_name); fd > STDERR_FILENO && fd != dirfd (folder))
                open.push_back (fd);

        ::closedir (folder);

        for (auto fd : open)
            ::close (fd);

        return true;
    }

    bool leadsASessionWithoutTerminal()
    {
        if (::getsid (0) != ::getpid())
            return false;

        const auto terminal = ::open ("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);

        if (terminal < 0)
            return errno == ENXIO;

        ::close (terminal);
        return false;
    }

    /** A session of our own, with no terminal. setsid() cannot make one for a leader
        of a process group (pkexec started as a session leader, say): one that already
        leads a session without a terminal has it, and any other stays where a
        terminal's Ctrl-\ ends it during rm and Ctrl-Z stops it holding the lock.
        Forking to leave would greet and be waited for as a process that the caller
        did not start, and leave on the terminal the one it did. */
    bool takeSessionOfOurOwn()
    {
        return ::setsid() >= 0 || leadsASessionWithoutTerminal();
    }

    bool startedOnATerminal()
    {
        if (! ::isatty (STDIN_FILENO) && ! ::isatty (STDOUT_FILENO))
            return false;

        // A person who starts us by hand would otherwise type frames, and get bytes back.
        std::fprintf (stderr, "%s: the privileged helper of %s, started by it with administrator rights; run %s instead\n",
                      ProductInfo::helperName, ProductInfo::name, ProductInfo::programName);
        return true;
    }
}

bool HelperService::readAsker (const std::string& argument, HelperRequests::AllowList& allowed)
{
    const std::string option = "--asked-by=";

    if (argument.rfind (option, 0) != 0)
        return false;

    // Only the words that the record may name.
    if (const auto asker = argument.substr (option.size()); asker == "window" || asker == "command-line")
        allowed.askedFromCommandLine = asker == "command-line";

    return true;
}

int HelperService::serve (const HelperRequests::AllowList& allowed, const std::string& lockFile)
{
    if (startedOnATerminal())
        return 2;

    // A reader that went away shows as a failed write, and we end.
    ::signal (SIGPIPE, SIG_IGN);

    // The terminal's Ctrl-C, Ctrl-\, Ctrl-Z and hang-up are for the program that asked:
    // it withdraws, and we finish the bundle in progress when our input ends.
    if (! takeSessionOfOurOwn())
    {
        std::fprintf (stderr, "%s: started on the terminal of whoever started it, where it could be stopped half-way; not serving\n",
                      ProductInfo::helperName);
        return 1;
    }

    // Nor does a stop sent to us by name keep the lock held: others wait for it.
    for (const auto number : { SIGTSTP, SIGTTIN, SIGTTOU })
        ::signal (number, SIG_IGN);

    // Whatever else we were handed is no business of the tools.
    if (! closeDescriptorsAboveStandardError())
        return 1;

    // First, so that a caller whom the system told nothing learns whom to wait for.
    if (! HelperProtocol::writeGreeting (STDOUT_FILENO, (std::int32_t) ::getpid()))
        return 1;

    // Held until we end: a second helper answers nothing, not even the prompt's
    // trial run, until this one is done, and then finds the bundles gone.
    const RemovalLock lock (lockFile);

    for (;;)
    {
        std::vector<std::string> request;

        switch (HelperProtocol::readRequest (STDIN_FILENO, request))
        {
            case HelperProtocol::ReadResult::endOfInput:
                return 0;

            case HelperProtocol::ReadResult::malformed:
                // The framing is lost: nothing after this could be trusted.
                HelperProtocol::writeReply (STDOUT_FILENO, { HelperProtocol::framingLost });
                return 1;

            case HelperProtocol::ReadResult::request:
            {
                // A signal that comes now waits for the reply, then ends us.
                const TerminationHold hold;

                if (! HelperProtocol::writeReply (STDOUT_FILENO, HelperRequests::answer (request, allowed)))
                    return 1;
                break;
            }
        }
    }
}
