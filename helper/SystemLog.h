#pragma once

#include <optional>
#include <string>
#include <sys/types.h>

/** What an administrator reads afterwards in the system log (journald on Linux,
    the unified log on macOS), written through syslog(3) by the side that acts as
    root. */
namespace SystemLog
{
    /** What the record's user is named from. */
    struct Identity
    {
        uid_t realUser = 0;

        /** The kernel's login user (Linux's /proc/self/loginuid), which no process can
            change once set: through sudo and pkexec it is still the person who logged in. */
        std::optional<uid_t> loginUser = {};

        /** The environment's words, for the route they name. */
        std::string pkexecUid, sudoUid;

        /** Only a helper that pkexec started may take PKEXEC_UID as a name: pkexec set
            it after authenticating. A program run as root may have inherited it from a
            user's own shell (after su, or sudo -E). */
        bool startedByPkexec = false;
    };

    /** The kernel's and the environment's facts for this process. */
    Identity readIdentity (bool startedByPkexec);

    /** The user on whose behalf we run, from what root can trust: our own real user
        unless that is root; as root, the kernel's login user, else, in a helper that
        pkexec started, PKEXEC_UID, else root. An environment's user who is the same
        person names the route ("through pkexec", "through sudo"); one who is not is
        never taken for the asker. */
    std::string describeAskingUser (const Identity& identity);

    /** Control characters, C1 too, and bytes that are not UTF-8 as \xNN, so that a
        text that a user shaped can never make a line of its own. Escaping twice
        changes nothing more. */
    std::string escapeControlCharacters (const std::string& text);

    /** Normal but significant: something was changed, or is about to be. Written escaped. */
    void notice (const std::string& message);

    /** Something that should have happened did not. Written escaped. */
    void warning (const std::string& message);
}
