#pragma once

#include "common/HelperProtocol.h"

#include <string>
#include <vector>

/** Starts a tool with root's rights and waits for it. Whatever this process holds
    is no business of the tool: it gets /dev/null on descriptors 0, 1 and 2 and no
    other descriptor, default signals and an empty signal mask, an environment of
    PATH alone, and a process group of its own, which a terminal's signals miss. Everything it is given is made before fork, so that the child
    makes only calls that are safe after fork in a process with threads. */
namespace ToolRun
{
    /** The tool's absolute path first, then its arguments. toolStarted with the
        tool's exit status (128 and the signal's number when a signal ended it), or
        toolNotStarted when it could not be started. */
    HelperProtocol::Reply run (const std::vector<std::string>& toolAndArguments);
}
