#include "uninstall/UninstallSetup.h"

#include "common/DriverBundles.h"

UninstallSetup UninstallSetup::forProduct()
{
    return { { DriverBundles::paths.begin(), DriverBundles::paths.end() },
             AuthorizationServices::createForPlatform,
             AuthorizationServices::createForRoot };
}
