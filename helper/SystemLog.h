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

        /** The kernel's login user (Linux's /proc/self/loginuid), only where a login
            that the system recorded set it: a process outside any login may set its
            own once, to anyone. Through sudo and pkexec it is still the person who
            logged in. */
        std::optional<uid_t> loginUser = {};

        /** The environment's words: pkexec's names the asker, sudo's only the route. */
        std::string pkexecUid, sudoUid;

        /** Only a helper that pkexec started may take PKEXEC_UID as a name: pkexec set
            it after authenticating. A program run as root may have inherited it from a
            user's own shell (after su, or sudo -E). */
        bool startedByPkexec = false;
    };

    /** The kernel's and the environment's facts for this process, as far as this
        system vouches for them: each system's own, in helper/linux/ and helper/mac/. */
    Identity readIdentity (bool startedAsHelper);

    /** The user on whose behalf we run, from what root can trust: our own real user
        unless that is root; as root, in a helper that pkexec started, the user that
        pkexec names ("through pkexec"), with the login user where that is someone
        else; otherwise the login user, "through sudo" where sudo's variable names the
        same person, else root. sudo's variable is never taken for the asker. */
    std::string describeAskingUser (const Identity& identity);

    /** A user id as the kernel and pkexec write it: decimal digits only. */
    std::optional<uid_t> parseUserId (const std::string& text);

    /** Control characters, C1 too, and bytes that are not UTF-8 as \xNN, so that a
        text that a user shaped can never make a line of its own. Escaping twice
        changes nothing more. */
    std::string escapeControlCharacters (const std::string& text);

    /** Normal but significant: something was changed, or is about to be. Written escaped. */
    void notice (const std::string& message);

    /** Something that should have happened did not. Written escaped. */
    void warning (const std::string& message);
}
