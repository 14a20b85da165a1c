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

    /** The driver's four bundles, and the system's own prompt. */
    static UninstallSetup forProduct();

    /** The setup of the program being built: each program's main source defines it,
        the product's as forProduct(), so that no test setting can reach the product. */
    static UninstallSetup forThisProgram();
};
