#pragma once

#include "platform/AuthorizationServices.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

/** What the uninstall job works on: the bundles it removes, in order, and the
    services through which it obtains the rights to remove them. */
struct UninstallSetup
{
    std::vector<std::string> targets;
    std::function<std::unique_ptr<AuthorizationServices>()> createServices;

    /** Where the command line, run as root, holds the lock that keeps two removals
        from running at once, as the privileged helper does; none when empty. */
    std::string removalLockFile = {};

    /** The driver's four bundles, the system's own prompt and root's lock. */
    static UninstallSetup forProduct();

    /** The setup of the program being built: each program's main source defines it,
        the product's as forProduct(), so that no test setting can reach the product. */
    static UninstallSetup forThisProgram();
};
