#include "platform/mac/MacAuthorizationServices.h"

#include <Security/AuthorizationTags.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <dlfcn.h>
#include <fcntl.h>
#include <libproc.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{
    AuthorizationRef toReference (void* reference)
    {
        return static_cast<AuthorizationRef> (reference);
    }

    AuthorizationItem makeItem (const char* name, const std::string& value)
    {
        return { name, value.size(), const_cast<char*> (value.c_str()), 0 };
    }

    /** A descriptor of our own, closed when any tool of ours starts. */
    int duplicateClosedOnExec (int fd)
    {
        return ::fcntl (fd, F_DUPFD_CLOEXEC, 0);
    }

    /** Our children, those that have exited but are not yet reaped too. */
    std::vector<pid_t> listChildren()
    {
        // Zeroed and read to the ids, whatever unit the call counts in.
        std::vector<pid_t> children (1024, 0);
        ::proc_listchildpids (::getpid(), children.data(), (int) (children.size() * sizeof (pid_t)));
        children.erase (std::remove (children.begin(), children.end(), 0), children.end());
        return children;
    }

    /** The one child that is not among those before; -1 if none or several are new. */
    pid_t findNewChild (const std::vector<pid_t>& before)
    {
        std::vector<pid_t> fresh;

        for (auto child : listChildren())
            if (std::find (before.begin(), before.end(), child) == before.end())
                fresh.push_back (child);

        return fresh.size() == 1 ? fresh.front() : -1;
    }

    /** Ends the child, if it has not ended, and reaps it. */
    void endChild (pid_t child)
    {
        if (child <= 0)
            return;

        ::kill (child, SIGTERM);

        while (::waitpid (child, nullptr, 0) < 0 && errno == EINTR)
        {
        }
    }
}

MacAuthorizationServices::MacAuthorizationServices (Setup setupToUse)
    : HelperAuthorizationServices (setupToUse.obstacle), setup (std::move (setupToUse))
{
}

MacAuthorizationServices::Launcher MacAuthorizationServices::findLauncher()
{
    return reinterpret_cast<Launcher> (::dlsym (RTLD_DEFAULT, launcherName));
}

AuthorizationServices::PromptObstacle MacAuthorizationServices::findObstacle (Launcher launcher,
                                                                            const juce::File& helper,
                                                                            const HelperTrust::Rule& rule)
{
    if (launcher == nullptr)
        return { PromptObstacle::Kind::systemCallMissing, launcherName };

    return findHelperObstacle (helper, rule);
}

AuthorizationServices::Status MacAuthorizationServices::createReference (void*& reference)
{
    AuthorizationRef created = nullptr;
    const auto status = AuthorizationCreate (nullptr, kAuthorizationEmptyEnvironment,
                                             kAuthorizationFlagDefaults, &created);
    reference = const_cast<AuthorizationOpaqueRef*> (created);
    return status;
}

void MacAuthorizationServices::releaseReference (void* reference)
{
    AuthorizationFree (toReference (reference), kAuthorizationFlagDestroyRights);
}

AuthorizationServices::Status MacAuthorizationServices::askForRights (AuthorizationRef reference) const
{
    AuthorizationItem right { kAuthorizationRightExecute, 0, nullptr, 0 };
    const AuthorizationRights rights { 1, &right };

    std::vector<AuthorizationItem> shown;

    if (! setup.promptText.empty())
        shown.push_back (makeItem (kAuthorizationEnvironmentPrompt, setup.promptText));

    if (! setup.iconPath.empty())
        shown.push_back (makeItem (kAuthorizationEnvironmentIcon, setup.iconPath));

    const AuthorizationEnvironment environment { (UInt32) shown.size(), shown.data() };
    const AuthorizationFlags flags = kAuthorizationFlagInteractionAllowed | kAuthorizationFlagExtendRights
                                     | kAuthorizationFlagPreAuthorize;

    // Asked here, in our own process, with our sentence and icon, so that the launch
    // below does not ask where the rule keeps a grant for a while (as shipped).
    return AuthorizationCopyRights (reference, &rights, &environment, flags, nullptr);
}

AuthorizationServices::Status MacAuthorizationServices::launchHelper (Session& session,
                                                                      const std::vector<std::string>& helperArguments) const
{
    std::vector<char*> arguments;
    for (auto& argument : helperArguments)
        arguments.push_back (const_cast<char*> (argument.c_str()));
    arguments.push_back (nullptr);

    const auto childrenBefore = listChildren();
    FILE* pipe = nullptr;
    const auto status = setup.launcher (toReference (session.systemReference), setup.helperPath.c_str(),
                                        kAuthorizationFlagDefaults, arguments.data(), &pipe);

    if (status == errAuthorizationSuccess && pipe != nullptr && adoptHelper (session, pipe))
        return errAuthorizationSuccess;

    // The system's child is left to us, unreaped, whatever became of it: its asking
    // refused, a tool that could not be executed, or a helper that we cannot speak to
    // (the system answers success with no pipe where fdopen fails, and the helper
    // waits, holding the lock). Its id is given to nobody, but it is the one child
    // that the call made: launches come one at a time and nothing else here starts
    // a process. It keeps the user's real uid, so our signal reaches it.
    endChild (findNewChild (childrenBefore));
    return status != errAuthorizationSuccess ? status : errAuthorizationToolExecuteFailure;
}

bool MacAuthorizationServices::adoptHelper (Session& session, FILE* pipe)
{
    // One socket carries both directions; the connection keeps two descriptors of
    // it and learns from the helper's greeting which child to wait for.
    // fileno may be a macro: no "::".
    const auto toHelper = duplicateClosedOnExec (fileno (pipe));
    const auto fromHelper = duplicateClosedOnExec (fileno (pipe));
    std::fclose (pipe);

    if (toHelper < 0 || fromHelper < 0)
    {
        for (auto fd : { toHelper, fromHelper })
            if (fd >= 0)
                ::close (fd);

        return false;
    }

    session.connection.adopt (-1, toHelper, fromHelper);
    return true;
}

AuthorizationServices::Status MacAuthorizationServices::whileAsking (Session& session,
                                                                     const std::function<Status()>& step)
{
    if (! beginAsking (session, [] { return true; }))
        return errAuthorizationCanceled;

    const auto status = step();

    // Rights granted after a withdrawal stay unused, and go back with the reference;
    // a helper that came up meanwhile is sent nothing, and ends with the session.
    return endAsking() ? errAuthorizationCanceled : status;
}

void MacAuthorizationServices::reportFailure (Status status)
{
    // Over ssh, or with nobody logged in at the screen, the system has nowhere to ask.
    if (status == errAuthorizationInteractionNotAllowed)
        reportObstacle ({ PromptObstacle::Kind::noDesktop, {} });

    // Said after the user's yes: the system could not start the helper with it.
    if (status == errAuthorizationToolExecuteFailure || status == errAuthorizationToolEnvironmentError)
        reportObstacle ({ PromptObstacle::Kind::helperNotStarted, setup.helperPath });
}

AuthorizationServices::Status MacAuthorizationServices::startHelper (Session& session,
                                                                     const std::vector<std::string>& helperArguments,
                                                                     const std::vector<std::string>& firstRequest)
{
    if (setup.launcher == nullptr || setup.helperPath.empty())
        return errAuthorizationToolExecuteFailure;

    auto status = whileAsking (session, [&] { return askForRights (toReference (session.systemReference)); });

    // Where the rule for administrator rights asks every time (an administrator set
    // its timeout to 0), the pre-authorization passed unasked, and the system asks
    // now, in its own dialog, which we cannot close either.
    if (status == errAuthorizationSuccess)
        status = whileAsking (session, [&] { return launchHelper (session, helperArguments); });

    reportFailure (status);

    if (status != errAuthorizationSuccess)
        return status;

    return session.connection.request (firstRequest).code;
}
