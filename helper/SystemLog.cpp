#include "helper/SystemLog.h"

#include "common/ProductInfo.h"
#include "common/TextEscape.h"

#include <cstdlib>
#include <fstream>
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

        std::optional<uid_t> userIdFrom (const std::string& text)
        {
            if (text.empty() || text.size() > 10 || text.find_first_not_of ("0123456789") != std::string::npos)
                return std::nullopt;

            const auto value = std::strtoull (text.c_str(), nullptr, 10);

            if (value >= (unsigned long long) (uid_t) -1)
                return std::nullopt;

            return (uid_t) value;
        }

        std::string environment (const char* name)
        {
            const auto* value = std::getenv (name);
            return value != nullptr ? value : "";
        }

        /** Unset, the kernel says (uid_t) -1. */
        std::optional<uid_t> readLoginUser()
        {
            std::ifstream file ("/proc/self/loginuid");
            std::string text;
            file >> text;
            return userIdFrom (text);
        }

        std::string describe (uid_t uid)
        {
            const auto* entry = getpwuid (uid);
            return std::string (entry != nullptr ? entry->pw_name : "unknown user") + " (uid " + std::to_string (uid) + ")";
        }
    }

    Identity readIdentity (bool startedByPkexec)
    {
        return { ::getuid(), readLoginUser(), environment ("PKEXEC_UID"), environment ("SUDO_UID"), startedByPkexec };
    }

    std::string describeAskingUser (const Identity& identity)
    {
        // Only root's environment is root's: anyone else's was set by that user.
        if (identity.realUser != 0)
            return describe (identity.realUser);

        const auto pkexecUser = userIdFrom (identity.pkexecUid);
        const auto sudoUser = userIdFrom (identity.sudoUid);

        if (identity.loginUser.has_value())
        {
            const auto route = pkexecUser == identity.loginUser ? " through pkexec"
                             : sudoUser == identity.loginUser   ? " through sudo" : "";
            return describe (*identity.loginUser) + route;
        }

        if (identity.startedByPkexec && pkexecUser.has_value())
            return describe (*pkexecUser) + " through pkexec";

        return describe (identity.realUser);
    }

    std::string escapeControlCharacters (const std::string& text)
    {
        return TextEscape::escape (text, TextEscape::Backslash::kept);
    }

    void notice (const std::string& message)   { write (LOG_NOTICE, message); }
    void warning (const std::string& message)  { write (LOG_WARNING, message); }
}
