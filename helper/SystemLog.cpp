#include "helper/SystemLog.h"

#include "common/ProductInfo.h"
#include "common/TextEscape.h"

#include <cstdlib>
#include <pwd.h>
#include <syslog.h>
#include <unistd.h>

namespace SystemLog
{
    namespace
    {
        void write (int priority, const std::string& message)
        {
            openlog (ProductInfo::programName, LOG_PID, LOG_USER);
            // Never as the format: a path may hold a '%'.
            syslog (priority, "%s", escapeControlCharacters (message).c_str());
            closelog();
        }

        std::string describe (uid_t uid, const char* idName = "uid")
        {
            const auto* entry = getpwuid (uid);
            return std::string (entry != nullptr ? entry->pw_name : "unknown user")
                     + " (" + idName + " " + std::to_string (uid) + ")";
        }
    }

    std::optional<uid_t> parseUserId (const std::string& text)
    {
        if (text.empty() || text.size() > 10 || text.find_first_not_of ("0123456789") != std::string::npos)
            return std::nullopt;

        const auto value = std::strtoull (text.c_str(), nullptr, 10);

        if (value >= (unsigned long long) (uid_t) -1)
            return std::nullopt;

        return (uid_t) value;
    }

    std::string describeAskingUser (const Identity& identity)
    {
        // Only root's environment is root's: anyone else's was set by that user.
        if (identity.realUser != 0)
            return describe (identity.realUser);

        const auto pkexecUser = identity.startedByPkexec ? parseUserId (identity.pkexecUid) : std::nullopt;
        const auto sudoUser = parseUserId (identity.sudoUid);
        const auto& loginUser = identity.loginUser;

        // pkexec, a setuid program, names whom it authenticated; a login user who is
        // someone else is said as what it is.
        if (pkexecUser.has_value())
            return describe (*pkexecUser) + " through pkexec"
                     + (loginUser.has_value() && loginUser != pkexecUser
                            ? ", logged in as " + describe (*loginUser, "login uid") : "");

        if (loginUser.has_value())
            return describe (*loginUser) + (sudoUser == loginUser ? " through sudo" : "");

        return describe (identity.realUser);
    }

    std::string escapeControlCharacters (const std::string& text)
    {
        return TextEscape::escape (text, TextEscape::Backslash::kept);
    }

    void notice (const std::string& message)   { write (LOG_NOTICE, message); }
    void warning (const std::string& message)  { write (LOG_WARNING, message); }
}
