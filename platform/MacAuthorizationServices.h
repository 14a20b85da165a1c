#pragma once

#include "platform/AuthorizationServices.h"

/** The Security framework's authorization calls, with wait() after each launch. */
class MacAuthorizationServices : public AuthorizationServices
{
public:
    Status create (Handle& handle) override;
    Status launchPrivileged (Handle handle, const char* toolPath, char* const* arguments) override;
    void waitForTool (Handle handle) override;

    /** The user's own view, as lstat() has it: the driver's folders are readable
        by everyone on a Mac, so the rights would see nothing more. */
    bool pathExists (Handle handle, const char* path) override;
    void releaseDestroyingRights (Handle handle) override;

    /** Does nothing: the system's prompt cannot be closed from inside the program. */
    void withdrawPrompt() override;
};
