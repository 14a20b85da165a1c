#pragma once

#include "common/RemovalTool.h"
#include "common/HelperProtocol.h"

#include <string>
#include <vector>

/** What may be done with root's rights, and the doing of it: the privileged
    helper answers each request through this, and so does the program when it runs
    as root itself, so the two can never differ.
    Each removal is written to the system log here, on the side that acts as root. */
namespace HelperRequests
{
    using Strings = std::vector<std::string>;

    /** What the helper may run: the two tools, and the folders that rm may remove. */
    struct AllowList
    {
        std::string echoTool = "/bin/echo";
        std::string removeTool = RemovalTool::path;
        Strings targets;

        /** Who asked, for the record: the window unless the command line did. */
        bool askedFromCommandLine = false;

        /** Whether we are the helper that the system started for a user, whom pkexec
            names in our environment; not a program that runs as root itself. */
        bool startedAsHelper = false;
    };

    /** Runs an allowed tool and waits for it, or answers an existence query; refuses
        anything else. A removal runs only on a target that is present, on a path that
        others than root cannot redirect, with no file system mounted inside, and
        none at all when the mounts cannot be listed; when the target stays, the reply
        says why. The record says what is about to go before rm starts, and what came
        of it after, and SIGINT, SIGTERM, SIGHUP and SIGQUIT wait until both are written. */
    HelperProtocol::Reply answer (const Strings& request, const AllowList& allowed);

    /** The removal request for a target, as the allow-list takes it. */
    Strings removalRequest (const std::string& removeTool, const std::string& target);
}
