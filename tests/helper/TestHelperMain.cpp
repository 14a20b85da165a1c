// The helper's build for the tests, never installed: it allows the scratch paths
// on its command line in place of the driver's bundles, and takes stand-ins for
// the tools as "--echo=PATH" and "--rm=PATH" and a lock file as "--lock=PATH"
// (it holds none without). Otherwise it is the product's helper.
#include "helper/HelperService.h"

int main (int argc, char** argv)
{
    HelperRequests::AllowList allowed;
    allowed.startedAsHelper = true;
    std::string lockFile;

    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];
        const auto value = argument.substr (argument.find ('=') + 1);

        if (HelperService::readAsker (argument, allowed))
            continue;

        if (argument.rfind ("--echo=", 0) == 0)
            allowed.echoTool = value;
        else if (argument.rfind ("--rm=", 0) == 0)
            allowed.removeTool = value;
        else if (argument.rfind ("--lock=", 0) == 0)
            lockFile = value;
        else
            allowed.targets.push_back (argument);
    }

    return HelperService::serve (allowed, lockFile);
}
