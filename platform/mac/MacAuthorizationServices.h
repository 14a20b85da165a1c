#pragma once

#include "platform/HelperAuthorizationServices.h"

#include <Security/Authorization.h>

#include <cstdio>
#include <functional>
#include <string>

/** Authorization through the Security framework, with our privileged helper as
    the one tool that the system starts. The first launch asks the user in our own
    process, with a sentence and our icon, then has the system start the helper with
    a communications pipe, on which it speaks the same frames as under pkexec; where
    the rule asks every time, the system asks again as it starts the helper, in its
    own dialog. Neither dialog can be closed from here: a withdrawn prompt leaves it
    open until it is answered or the program ends (the system then takes it down),
    and rights that come after the withdrawal start nothing. */
class MacAuthorizationServices : public HelperAuthorizationServices
{
public:
    /** The system's call that starts a tool with the rights of a reference. */
    using Launcher = OSStatus (*) (AuthorizationRef, const char* pathToTool, AuthorizationFlags,
                                   char* const* arguments, FILE** communicationsPipe);

    struct Setup
    {
        Launcher launcher = nullptr;   // null where the system no longer has the call
        std::string helperPath;
        std::string promptText;        // shown by the system's dialog; none when empty
        std::string iconPath;          // a PNG, which the dialog shows; none when empty
        PromptObstacle obstacle = {};
    };

    explicit MacAuthorizationServices (Setup setup);

    /** AuthorizationExecuteWithPrivileges, looked up at run time: deprecated since
        macOS 10.7, a later system may drop it, and the program must still start. */
    static Launcher findLauncher();

    static constexpr const char* launcherName = "AuthorizationExecuteWithPrivileges";

    /** What keeps the user from being asked: no launching call, or a helper that is
        missing or not trusted where it is. */
    static PromptObstacle findObstacle (Launcher launcher, const juce::File& helper, const HelperTrust::Rule& rule);

protected:
    Status createReference (void*& reference) override;
    void releaseReference (void* reference) override;
    Status startHelper (Session& session, const std::vector<std::string>& helperArguments,
                        const std::vector<std::string>& firstRequest) override;

    /** Does nothing: the system's dialog cannot be closed from inside the program. */
    void closePrompt (Session&) override  {}

private:
    Status askForRights (AuthorizationRef reference) const;

    /** Has the system start the helper; ends and reaps whatever it started where no
        connection to the helper came of it. */
    Status launchHelper (Session& session, const std::vector<std::string>& helperArguments) const;
    static bool adoptHelper (Session& session, FILE* pipe);

    /** Runs a step that may ask the user, counted as asking; canceled, whatever the
        step gave, once the prompt has been withdrawn. */
    Status whileAsking (Session& session, const std::function<Status()>& step);

    void reportFailure (Status status);

    const Setup setup;
};
