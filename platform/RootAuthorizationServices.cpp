#include "platform/RootAuthorizationServices.h"

#include "helper/RemovalLock.h"

#include <utility>

RootAuthorizationServices::RootAuthorizationServices (HelperRequests::AllowList allowList, std::string lock)
    : allowed (std::move (allowList)), lockFile (std::move (lock))
{
}

void RootAuthorizationServices::setRequester (Requester who)
{
    allowed.askedFromCommandLine = who == Requester::commandLine;
}

AuthorizationServices::Status RootAuthorizationServices::create (Handle& handle)
{
    // A signal held off while waiting ends the wait: the sequence, asking the same
    // hold, removes nothing and reports each bundle as interrupted.
    handle = new RemovalLock (lockFile);
    return 0;
}

AuthorizationServices::Status RootAuthorizationServices::launchPrivileged (Handle,
                                                                           const char* toolPath,
                                                                           char* const* arguments)
{
    const auto reply = HelperRequests::answer (HelperProtocol::makeRequest (toolPath, arguments), allowed);
    lastReason = reply.reason;
    return reply.code;
}

PathState RootAuthorizationServices::inspectPath (Handle, const char* path)
{
    const auto reply = HelperRequests::answer ({ HelperProtocol::existenceQuery, path }, allowed);

    if (reply.code == HelperProtocol::toolNotAllowed)
        return PathState::of (path);

    return HelperProtocol::toPathState (reply);
}

void RootAuthorizationServices::releaseDestroyingRights (Handle handle)
{
    delete static_cast<RemovalLock*> (handle);
}
