#include "platform/AuthorizationServices.h"

#include "common/DriverBundles.h"
#include "common/RemovalTool.h"
#include "platform/RootAuthorizationServices.h"

// createForPlatform is each system's own: platform/linux/ and platform/mac/.

std::unique_ptr<AuthorizationServices> AuthorizationServices::createForRoot()
{
    HelperRequests::AllowList allowed;
    allowed.targets.assign (DriverBundles::paths.begin(), DriverBundles::paths.end());
    return std::make_unique<RootAuthorizationServices> (allowed, RemovalTool::lockFile);
}
