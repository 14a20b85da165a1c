#include "uninstall/UninstallSetup.h"

#include "uninstall/DriverBundles.h"

UninstallSetup UninstallSetup::forProduct()
{
    return { { DriverBundles::paths.begin(), DriverBundles::paths.end() },
             AuthorizationServices::createForPlatform };
}
