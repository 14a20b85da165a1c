#include "platform/mac/MacAuthorizationServices.h"

#include <Security/AuthorizationTags.h>

#include <dlfcn.h>
#include <fcntl.h>
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

    // Asked here, in our own process, so that a "Cancel" leaves no child of the
    // system's behind and the launch below never asks.
    return AuthorizationCopyRights (reference, &rights, &environment, flags, nullptr);
}

AuthorizationServices::Status MacAuthorizationServices::launchHelper (Session& session,
                                                                      const std::vector<std::string>& helperArguments) const
{
    std::vector<char*> arguments;
    for (auto& argument : helperArguments)
        arguments.push_back (const_cast<char*> (argument.c_str()));
    arguments.push_back (nullptr);

    FILE* pipe = nullptr;
    const auto status = setup.launcher (toReference (session.systemReference), setup.helperPath.c_str(),
                                        kAuthorizationFlagDefaults, arguments.data(), &pipe);

    if (status != errAuthorizationSuccess || pipe == nullptr)
        return status != errAuthorizationSuccess ? status : errAuthorizationToolExecuteFailure;

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

        return errAuthorizationToolExecuteFailure;
    }

    session.connection.adopt (-1, toHelper, fromHelper);
    return errAuthorizationSuccess;
}

AuthorizationServices::Status MacAuthorizationServices::startHelper (Session& session,
                                                                     const std::vector<std::string>& helperArguments,
                                                                     const std::vector<std::string>& firstRequest)
{
    if (setup.launcher == nullptr || setup.helperPath.empty())
        return errAuthorizationToolExecuteFailure;

    if (! beginAsking (session, [] { return true; }))
        return errAuthorizationCanceled;

    const auto status = askForRights (toReference (session.systemReference));

    // Rights granted after a withdrawal stay unused, and go back with the reference.
    if (endAsking())
        return errAuthorizationCanceled;

    // Over ssh, or with nobody logged in at the screen, the system has nowhere to ask.
    if (status == errAuthorizationInteractionNotAllowed)
        reportObstacle ({ PromptObstacle::Kind::noDesktop, {} });

    if (status != errAuthorizationSuccess)
        return status;

    if (const auto launched = launchHelper (session, helperArguments); launched != errAuthorizationSuccess)
        return launched;

    return session.connection.request (firstRequest).code;
}
