#pragma once

#include <string>

/** What an administrator reads afterwards in the system log (journald on Linux,
    the unified log on macOS), written through syslog(3). */
namespace SystemLog
{
    /** The user on whose behalf we run: their name and id, and sudo's user when root
        was reached through sudo. */
    std::string describeAskingUser();

    /** Normal but significant: something was changed. */
    void notice (const std::string& message);

    /** Something that should have happened did not. */
    void warning (const std::string& message);
}
