#include "platform/RootAuthorizationServices.h"

#include "helper/RemovalLock.h"

#include <sys/stat.h>
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
    handle = new RemovalLock (lockFile);
    return 0;
}

AuthorizationServices::Status RootAuthorizationServices::launchPrivileged (Handle,
                                                                           const char* toolPath,
                                                                           char* const* arguments)
{
    HelperRequests::Strings request { toolPath };

    for (auto* argument = arguments; *argument != nullptr; ++argument)
        request.emplace_back (*argument);

    const auto reply = HelperRequests::answer (request, allowed);
    lastReason = reply.reason;
    return reply.code;
}

bool RootAuthorizationServices::pathExists (Handle, const char* path)
{
    const auto reply = HelperRequests::answer ({ HelperProtocol::existenceQuery, path }, allowed);

    if (reply.code == HelperProtocol::pathPresent || reply.code == HelperProtocol::pathAbsent)
        return reply.code == HelperProtocol::pathPresent;

    struct stat info {};
    return ::lstat (path, &info) == 0;
}

void RootAuthorizationServices::releaseDestroyingRights (Handle handle)
{
    delete static_cast<RemovalLock*> (handle);
}
