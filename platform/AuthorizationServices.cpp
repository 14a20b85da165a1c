#include "platform/AuthorizationServices.h"

#include "common/DriverBundles.h"
#include "common/RemovalTool.h"
#include "platform/RootAuthorizationServices.h"

#include <juce_core/juce_core.h>

#if JUCE_MAC
 #include "platform/MacAuthorizationServices.h"
#else
 #include "platform/LinuxAuthorizationServices.h"
#endif

std::unique_ptr<AuthorizationServices> AuthorizationServices::createForPlatform()
{
   #if JUCE_MAC
    return std::make_unique<MacAuthorizationServices>();
   #else
    return std::make_unique<LinuxAuthorizationServices> (LinuxAuthorizationServices::getPkexecCommand(),
                                                         LinuxAuthorizationServices::findPkexecObstacle());
   #endif
}

std::unique_ptr<AuthorizationServices> AuthorizationServices::createForRoot()
{
    HelperRequests::AllowList allowed;
    allowed.targets.assign (DriverBundles::paths.begin(), DriverBundles::paths.end());
    return std::make_unique<RootAuthorizationServices> (allowed, RemovalTool::lockFile);
}
