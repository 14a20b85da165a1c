#include "platform/MacAuthorizationServices.h"

#include <Security/Authorization.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace
{
    AuthorizationRef toReference (AuthorizationServices::Handle handle)
    {
        return static_cast<AuthorizationRef> (handle);
    }
}

AuthorizationServices::Status MacAuthorizationServices::create (Handle& handle)
{
    AuthorizationRef reference = nullptr;
    auto status = AuthorizationCreate (nullptr, kAuthorizationEmptyEnvironment,
                                       kAuthorizationFlagDefaults, &reference);
    handle = const_cast<AuthorizationOpaqueRef*> (reference);
    return status;
}

AuthorizationServices::Status MacAuthorizationServices::launchPrivileged (Handle handle,
                                                                          const char* toolPath,
                                                                          char* const* arguments)
{
    // Deprecated by the system, yet still the only call that prompts and runs in one step.
   #pragma clang diagnostic push
   #pragma clang diagnostic ignored "-Wdeprecated-declarations"
    return AuthorizationExecuteWithPrivileges (toReference (handle), toolPath,
                                               kAuthorizationFlagDefaults, arguments, nullptr);
   #pragma clang diagnostic pop
}

void MacAuthorizationServices::waitForTool (Handle)
{
    // The program starts no other child processes, so this is the launched tool.
    int status = 0;
    wait (&status);
}

bool MacAuthorizationServices::pathExists (Handle, const char* path)
{
    // A link is there whether or not what it names is: rm removes the link itself.
    struct stat info {};
    return lstat (path, &info) == 0;
}

void MacAuthorizationServices::releaseDestroyingRights (Handle handle)
{
    AuthorizationFree (toReference (handle), kAuthorizationFlagDestroyRights);
}

void MacAuthorizationServices::withdrawPrompt()
{
}
