// The Mac's own authorization: the Security framework starts our helper.
#include "platform/AuthorizationServices.h"

#include "platform/HelperLocation.h"
#include "platform/mac/MacAuthorizationServices.h"

std::unique_ptr<AuthorizationServices> AuthorizationServices::createForPlatform()
{
    MacAuthorizationServices::Setup setup;
    setup.launcher = MacAuthorizationServices::findLauncher();

    const auto helper = HelperLocation::find();
    setup.obstacle = MacAuthorizationServices::findObstacle (setup.launcher, helper, HelperLocation::getTrustRule());

    // Only a helper that nobody else can change, exactly where it is, goes to the system.
    if (setup.obstacle.kind == PromptObstacle::Kind::none)
        setup.helperPath = helper.getFullPathName().toStdString();

    // The dialog reads PNG, not the bundle's .icns.
    setup.iconPath = helper.getParentDirectory().getSiblingFile ("Resources")
                         .getChildFile ("PromptIcon.png").getFullPathName().toStdString();
    setup.promptText = TRANS ("Enter an administrator's name and password to remove the PELK USB MIDI Driver.")
                           .toStdString();

    return std::make_unique<MacAuthorizationServices> (std::move (setup));
}
