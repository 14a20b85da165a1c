#pragma once

#include "platform/HelperConnection.h"

#include <string>
#include <vector>

/** Starts the privileged helper ourselves, as pkexec's caller: the command's
    process is the helper once the user has authenticated (pkexec becomes it). */
namespace HelperSpawn
{
    /** Starts the command (no shell, no PATH search) with pipes on its standard input
        and output and, where errorOutput is not -1, that as its standard error, and
        hands it to the connection. False if it could not be started. */
    bool start (HelperConnection& connection, const std::vector<std::string>& command, int errorOutput = -1);
}
