#pragma once

#include "common/PathState.h"

#include <cstdint>
#include <memory>
#include <string>

/** The four operations through which the system grants administrator rights and
    runs tools with them, and the withdrawal of a prompt that is still open. CAuth is
    written once over these; tests give it fakes. */
class AuthorizationServices
{
public:
    /** 0 for success, as the system's own status codes. */
    using Status = std::int32_t;

    /** Opaque: whatever the platform uses to hold one authorization. */
    using Handle = void*;

    /** What keeps the system from asking the user at all, or from starting what the
        user's yes was for. */
    struct PromptObstacle
    {
        enum class Kind { none, launcherMissing, helperMissing, helperUntrusted, promptUnavailable, systemCallMissing, noDesktop,
                          helperNotStarted };

        Kind kind = Kind::none;
        std::string path;   // the launcher, the helper or the system call concerned; empty when none is
    };

    /** Who asks, as the record of the side acting as root names it. */
    enum class Requester { window, commandLine };

    virtual ~AuthorizationServices() = default;

    /** Before the first launch: who asks. The window, unless told otherwise. */
    virtual void setRequester (Requester)  {}

    /** Why no prompt could be shown: known before the first launch, or learned from
        a first launch that found nobody to ask the user. With an obstacle, a launch
        fails as a refused prompt does. */
    virtual PromptObstacle findPromptObstacle() const  { return {}; }

    /** Makes a handle. Asks the user nothing yet. */
    virtual Status create (Handle& handle) = 0;

    /** Runs a tool with administrator rights. The first launch with a fresh handle
        is when the user is asked; a refusal gives a non-zero status and runs nothing.
        The arguments are null-terminated and exclude the tool's own name. */
    virtual Status launchPrivileged (Handle handle, const char* toolPath, char* const* arguments) = 0;

    /** Returns once the tool that the last successful launch started has ended. */
    virtual void waitForTool (Handle handle) = 0;

    /** Why the tool of the last launch left its work undone, in the words of the side
        that ran it; empty where the system says nothing. */
    virtual std::string describeLastLaunch (Handle) const  { return {}; }

    /** What is at the path, as seen with the rights the handle holds where the
        system lets us look with them; unknown, with the reason, where they could
        not look (the helper gone, a refusal, an lstat that failed). */
    virtual PathState inspectPath (Handle handle, const char* path) = 0;

    /** Releases the handle and destroys the rights it holds. */
    virtual void releaseDestroyingRights (Handle handle) = 0;

    /** Called from another thread while a launch may be waiting for the user's answer:
        closes that prompt, so that the launch fails, and refuses any later launch.
        Where the system cannot close its prompt, the launch returns once it is answered. */
    virtual void withdrawPrompt() = 0;

    /** The services of the system we run on. */
    static std::unique_ptr<AuthorizationServices> createForPlatform();

    /** For a program that runs as root already, on any system: no prompt; the
        driver's bundles, and the system's lock against a second removal. */
    static std::unique_ptr<AuthorizationServices> createForRoot();
};
