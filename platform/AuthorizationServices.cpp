#include "platform/AuthorizationServices.h"

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
