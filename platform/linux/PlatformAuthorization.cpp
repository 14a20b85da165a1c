// Linux's own authorization: pkexec starts our helper.
#include "platform/AuthorizationServices.h"

#include "platform/linux/LinuxAuthorizationServices.h"

std::unique_ptr<AuthorizationServices> AuthorizationServices::createForPlatform()
{
    return std::make_unique<LinuxAuthorizationServices> (LinuxAuthorizationServices::getPkexecCommand(),
                                                         LinuxAuthorizationServices::findPkexecObstacle());
}
