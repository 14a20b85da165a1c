#pragma once

#include <string>

/** What an administrator reads afterwards in the system log (journald on Linux,
    the unified log on macOS), written through syslog(3) by the side that acts as
    root. */
namespace SystemLog
{
    /** The user on whose behalf we run, named from what root can trust: our own user
        unless we are root; as root, pkexec's PKEXEC_UID, else sudo's SUDO_UID when
        SUDO_USER names that same user, else root. */
    std::string describeAskingUser();

    /** Control characters as \xNN, so that a text that a user shaped can never make a
        line of its own. Escaping twice changes nothing more. */
    std::string escapeControlCharacters (const std::string& text);

    /** Normal but significant: something was changed. Written escaped. */
    void notice (const std::string& message);

    /** Something that should have happened did not. Written escaped. */
    void warning (const std::string& message);
}
