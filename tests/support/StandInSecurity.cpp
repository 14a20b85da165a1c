#include "support/StandInSecurity.h"

#include <Security/Authorization.h>
#include <Security/AuthorizationTags.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <sys/socket.h>
#include <utility>
#include <unistd.h>

struct AuthorizationOpaqueRef
{
    bool holdsRight = false;
};

namespace
{
    struct Dialogs
    {
        std::mutex lock;
        std::condition_variable changed;
        std::deque<StandInSecurity::Answer> script;
        std::vector<std::string> calls;
        std::vector<pid_t> launched;
        std::vector<int> leftOpen;
        StandInSecurity::Rule rule = StandInSecurity::Rule::keepsRights;
        StandInSecurity::Launch nextLaunch = StandInSecurity::Launch::asAsked;
        bool held = false;
        std::optional<bool> heldAnswer;

        void record (std::string call)
        {
            const std::scoped_lock guard (lock);
            calls.push_back (std::move (call));
            changed.notify_all();
        }

        /** The status of one dialog; a held one blocks until the test answers it. */
        OSStatus ask()
        {
            std::unique_lock guard (lock);
            const auto answer = script.empty() ? StandInSecurity::Answer::cancel : script.front();

            if (! script.empty())
                script.pop_front();

            switch (answer)
            {
                case StandInSecurity::Answer::grant:      return errAuthorizationSuccess;
                case StandInSecurity::Answer::cancel:     return errAuthorizationCanceled;
                case StandInSecurity::Answer::noDesktop:  return errAuthorizationInteractionNotAllowed;
                case StandInSecurity::Answer::deny:       return errAuthorizationDenied;
                case StandInSecurity::Answer::hold:       break;
            }

            held = true;
            heldAnswer.reset();
            changed.notify_all();
            changed.wait (guard, [this] { return heldAnswer.has_value(); });
            held = false;
            return *heldAnswer ? errAuthorizationSuccess : errAuthorizationCanceled;
        }

        bool asksEveryTime()
        {
            const std::scoped_lock guard (lock);
            return rule == StandInSecurity::Rule::asksEveryTime;
        }

        StandInSecurity::Launch takeLaunch()
        {
            const std::scoped_lock guard (lock);
            return std::exchange (nextLaunch, StandInSecurity::Launch::asAsked);
        }

        void noteLaunched (pid_t child)
        {
            const std::scoped_lock guard (lock);
            launched.push_back (child);
        }
    };

    Dialogs& dialogs()
    {
        static Dialogs instance;
        return instance;
    }

    std::string describeItems (const AuthorizationItemSet* items)
    {
        std::string text;

        for (UInt32 i = 0; items != nullptr && i < items->count; ++i)
        {
            const auto& item = items->items[i];
            text += std::string (text.empty() ? "" : " ") + item.name;

            if (item.value != nullptr)
                text += "=" + std::string (static_cast<const char*> (item.value), item.valueLength);
        }

        return text;
    }

    /** The child's side: the socket on standard input and output, then the tool. */
    [[noreturn]] void becomeTool (int channel, int notify, char* const* argv)
    {
        ::dup2 (channel, STDIN_FILENO);
        ::dup2 (channel, STDOUT_FILENO);
        ::close (channel);
        ::execv (argv[0], argv);
        const OSStatus failed = errAuthorizationToolExecuteFailure;
        [[maybe_unused]] auto written = ::write (notify, &failed, sizeof (failed));
        ::_exit (1);
    }

    /** As the system's trampoline does when it reports a failure: it exits, and nobody reaps it. */
    OSStatus failInAChild (OSStatus status)
    {
        const auto child = ::fork();

        if (child == 0)
            ::_exit (1);

        dialogs().noteLaunched (child);
        return status;
    }
}

extern "C"
{
    OSStatus AuthorizationCreate (const AuthorizationRights*, const AuthorizationEnvironment*,
                                  AuthorizationFlags, AuthorizationRef* authorization)
    {
        dialogs().record ("AuthorizationCreate");
        *authorization = new AuthorizationOpaqueRef();
        return errAuthorizationSuccess;
    }

    OSStatus AuthorizationFree (AuthorizationRef authorization, AuthorizationFlags flags)
    {
        dialogs().record ("AuthorizationFree " + std::to_string (flags));
        delete authorization;
        return errAuthorizationSuccess;
    }

    OSStatus AuthorizationCopyRights (AuthorizationRef authorization, const AuthorizationRights* rights,
                                      const AuthorizationEnvironment* environment, AuthorizationFlags flags,
                                      AuthorizationRights**)
    {
        dialogs().record ("AuthorizationCopyRights " + describeItems (rights) + " " + describeItems (environment)
                          + " flags=" + std::to_string (flags));

        if (authorization->holdsRight)
            return errAuthorizationSuccess;

        // Pre-authorizing a right that nothing keeps is pointless: the system lets it pass unasked.
        const auto asksEveryTime = dialogs().asksEveryTime();

        if (asksEveryTime && (flags & kAuthorizationFlagPreAuthorize) != 0)
            return errAuthorizationSuccess;

        if ((flags & kAuthorizationFlagInteractionAllowed) == 0)
            return errAuthorizationInteractionNotAllowed;

        if (const auto answered = dialogs().ask(); answered != errAuthorizationSuccess)
            return answered;

        const_cast<AuthorizationOpaqueRef*> (authorization)->holdsRight = ! asksEveryTime;
        return errAuthorizationSuccess;
    }

    OSStatus AuthorizationExecuteWithPrivileges (AuthorizationRef authorization, const char* pathToTool,
                                                 AuthorizationFlags flags, char* const* arguments,
                                                 FILE** communicationsPipe)
    {
        std::string call = std::string ("AuthorizationExecuteWithPrivileges ") + pathToTool;
        for (auto* argument = arguments; argument != nullptr && *argument != nullptr; ++argument)
            call += std::string (" ") + *argument;
        dialogs().record (call);

        // The flags are reserved.
        if (flags != kAuthorizationFlagDefaults)
            return errAuthorizationInvalidFlags;

        if (! authorization->holdsRight)
        {
            if (const auto answered = dialogs().ask(); answered != errAuthorizationSuccess)
                return failInAChild (answered);

            const_cast<AuthorizationOpaqueRef*> (authorization)->holdsRight = ! dialogs().asksEveryTime();
        }

        const auto launch = dialogs().takeLaunch();

        if (launch == StandInSecurity::Launch::environmentError)
            return failInAChild (errAuthorizationToolEnvironmentError);

        int channel[2], notify[2];

        if (::socketpair (AF_UNIX, SOCK_STREAM, 0, channel) != 0)
            return errAuthorizationInternal;

        if (::pipe2 (notify, O_CLOEXEC) != 0)
        {
            ::close (channel[0]);
            ::close (channel[1]);
            return errAuthorizationInternal;
        }

        // Made before fork: the tests have threads, and the child may only exec.
        std::vector<char*> argv { const_cast<char*> (pathToTool) };
        for (auto* argument = arguments; argument != nullptr && *argument != nullptr; ++argument)
            argv.push_back (*argument);
        argv.push_back (nullptr);

        const auto child = ::fork();

        if (child == 0)
        {
            ::close (channel[0]);
            ::close (notify[0]);
            becomeTool (channel[1], notify[1], argv.data());
        }

        ::close (channel[1]);
        ::close (notify[1]);
        dialogs().noteLaunched (child);

        // The notice closes with the exec; a status in it says the exec failed.
        OSStatus failed = 0;
        auto got = ::read (notify[0], &failed, sizeof (failed));
        while (got < 0 && errno == EINTR)
            got = ::read (notify[0], &failed, sizeof (failed));
        ::close (notify[0]);

        if (got == (ssize_t) sizeof (failed))
        {
            ::close (channel[0]);
            return failed;
        }

        if (launch == StandInSecurity::Launch::noPipe)
        {
            const std::scoped_lock guard (dialogs().lock);
            dialogs().leftOpen.push_back (channel[0]);
            return errAuthorizationSuccess;
        }

        if (communicationsPipe != nullptr)
            *communicationsPipe = ::fdopen (channel[0], "r+");
        else
            ::close (channel[0]);

        return errAuthorizationSuccess;
    }
}

namespace StandInSecurity
{
    void reset (std::vector<Answer> answers, Rule rule, Launch nextLaunch)
    {
        const std::scoped_lock guard (dialogs().lock);
        dialogs().script.assign (answers.begin(), answers.end());
        dialogs().rule = rule;
        dialogs().nextLaunch = nextLaunch;
        dialogs().calls.clear();
        dialogs().launched.clear();

        for (auto fd : std::exchange (dialogs().leftOpen, {}))
            ::close (fd);
    }

    bool waitForHeldDialog (int milliseconds)
    {
        std::unique_lock guard (dialogs().lock);
        return dialogs().changed.wait_for (guard, std::chrono::milliseconds (milliseconds),
                                           [] { return dialogs().held; });
    }

    void answerHeldDialog (bool grant)
    {
        const std::scoped_lock guard (dialogs().lock);
        dialogs().heldAnswer = grant;
        dialogs().changed.notify_all();
    }

    std::vector<std::string> getCalls()
    {
        const std::scoped_lock guard (dialogs().lock);
        return dialogs().calls;
    }

    bool waitForCall (const std::string& start, int milliseconds)
    {
        std::unique_lock guard (dialogs().lock);
        return dialogs().changed.wait_for (guard, std::chrono::milliseconds (milliseconds), [&]
        {
            for (auto& call : dialogs().calls)
                if (call.rfind (start, 0) == 0)
                    return true;

            return false;
        });
    }

    std::vector<pid_t> getLaunchedChildren()
    {
        const std::scoped_lock guard (dialogs().lock);
        return dialogs().launched;
    }
}
