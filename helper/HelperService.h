#pragma once

#include "helper/HelperRequests.h"

#include <string>

/** The helper's life once its command line is read, the same for the product's
    helper and the build for the tests: requests come on standard input and replies
    go to standard output (see HelperProtocol), until the input ends, which is also
    what happens when the program that started it dies. */
namespace HelperService
{
    /** Takes "--asked-by=window" or "--asked-by=command-line" into the allow-list;
        another word there leaves "the window". False for any other argument. */
    bool readAsker (const std::string& argument, HelperRequests::AllowList& allowed);

    /** Serves until the input ends, holding the lock in that file (none when empty)
        throughout, and returns the exit status. Refuses a terminal, on its
        standard streams or as the terminal of its session. */
    int serve (const HelperRequests::AllowList& allowed, const std::string& lockFile);
}
