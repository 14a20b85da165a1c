#pragma once

#include "helper/HelperRequests.h"
#include "platform/AuthorizationServices.h"

#include <string>

/** Authorization for a program that already runs as root: nothing to ask, and no
    helper to start. Each launch is answered here, by the privileged helper's own
    request handling, so that the tools get what the helper's tools get and the
    removals are recorded as the helper records them. A handle holds the removal
    lock from create() until it is released. */
class RootAuthorizationServices : public AuthorizationServices
{
public:
    /** What may be run and removed, and the lock file to hold (none when empty). */
    RootAuthorizationServices (HelperRequests::AllowList allowed, std::string lockFile);

    void setRequester (Requester who) override;

    /** Waits for whoever else holds the lock; asks nothing. */
    Status create (Handle& handle) override;
    Status launchPrivileged (Handle handle, const char* toolPath, char* const* arguments) override;

    /** The launch has returned once the tool ended: nothing is left to wait for. */
    void waitForTool (Handle) override  {}
    std::string describeLastLaunch (Handle) const override  { return lastReason; }

    /** The helper's existence query for the targets; lstat for any other path. */
    PathState inspectPath (Handle handle, const char* path) override;
    void releaseDestroyingRights (Handle handle) override;

    /** Does nothing: there is no prompt. */
    void withdrawPrompt() override  {}

private:
    HelperRequests::AllowList allowed;
    const std::string lockFile;
    std::string lastReason;
};
