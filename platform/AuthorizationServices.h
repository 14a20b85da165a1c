#pragma once

#include <cstdint>
#include <memory>

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

    virtual ~AuthorizationServices() = default;

    /** Makes a handle. Asks the user nothing yet. */
    virtual Status create (Handle& handle) = 0;

    /** Runs a tool with administrator rights. The first launch with a fresh handle
        is when the user is asked; a refusal gives a non-zero status and runs nothing.
        The arguments are null-terminated and exclude the tool's own name. */
    virtual Status launchPrivileged (Handle handle, const char* toolPath, char* const* arguments) = 0;

    /** Returns once the tool that the last successful launch started has ended. */
    virtual void waitForTool (Handle handle) = 0;

    /** Releases the handle and destroys the rights it holds. */
    virtual void releaseDestroyingRights (Handle handle) = 0;

    /** Called from another thread while a launch may be waiting for the user's answer:
        closes that prompt, so that the launch fails, and refuses any later launch.
        Where the system cannot close its prompt, the launch returns once it is answered. */
    virtual void withdrawPrompt() = 0;

    /** The services of the system we run on. */
    static std::unique_ptr<AuthorizationServices> createForPlatform();
};
