#pragma once

#include "platform/AuthorizationServices.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

/** What an uninstall works on: the bundles it removes, in order, and the services
    through which it obtains the rights to remove them. The program's main makes it
    and hands it to the window and to the command line. */
struct UninstallSetup
{
    using ServicesFactory = std::function<std::unique_ptr<AuthorizationServices>()>;

    std::vector<std::string> targets;

    /** The system's prompt for administrator rights. */
    ServicesFactory createServices;

    /** Root's own rights, which ask nobody, for a command line that already runs as
        root; where there are none, root is asked through the prompt too. */
    ServicesFactory createRootServices = {};

    /** The driver's four bundles, the system's own prompt, and root's own rights. */
    static UninstallSetup forProduct();
};
