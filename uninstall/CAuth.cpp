#include "uninstall/CAuth.h"

CAuth::CAuth()
    : CAuth (AuthorizationServices::createForPlatform())
{
}

CAuth::CAuth (std::unique_ptr<AuthorizationServices> servicesToUse)
    : services (std::move (servicesToUse))
{
    if (services->create (authorizationRef) != 0)
    {
        authorizationRef = nullptr;
        return;
    }

    // The first privileged launch is what makes the system ask the user.
    char* noArguments[] = { nullptr };

    if (services->launchPrivileged (authorizationRef, "/bin/echo", noArguments) != 0)
        return;

    services->waitForTool (authorizationRef);
    authorized = true;
}

CAuth::~CAuth()
{
    // A handle whose trial run was refused is released too, so that nothing leaks.
    if (authorizationRef != nullptr)
        services->releaseDestroyingRights (authorizationRef);

    authorizationRef = nullptr;
}

CAuth::Status CAuth::execute (const char* toolPath, char* const* arguments)
{
    if (! authorized)
        return notAuthorized;

    auto status = services->launchPrivileged (authorizationRef, toolPath, arguments);

    // Only a launched tool is waited for; waiting otherwise could reap another child.
    if (status == 0)
        services->waitForTool (authorizationRef);

    return status;
}

std::string CAuth::describeLastLaunch() const
{
    return authorized ? services->describeLastLaunch (authorizationRef) : std::string();
}

PathState CAuth::inspect (const char* path)
{
    return services->inspectPath (authorized ? authorizationRef : nullptr, path);
}
