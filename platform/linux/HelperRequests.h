#pragma once

#include "platform/linux/HelperProtocol.h"

#include <string>
#include <vector>

/** What may be done with root's rights, and the doing of it: the privileged
    helper answers each request through this, and so does the program's command
    line when it runs as root itself, so the two can never differ. Free of the
    framework, as the helper is. */
namespace HelperRequests
{
    using Strings = std::vector<std::string>;

    /** What the helper may run: the two tools, and the folders that rm may remove. */
    struct AllowList
    {
        std::string echoTool = "/bin/echo";
        std::string removeTool = "/bin/rm";
        Strings targets;
    };

    /** Runs an allowed tool and waits for it, or answers an existence query; refuses
        anything else, and a removal whose path others than root could redirect. */
    HelperProtocol::Reply answer (const Strings& request, const AllowList& allowed);
}
