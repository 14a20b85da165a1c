#include "helper/SystemLog.h"

#include "common/ProductInfo.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
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

        std::optional<uid_t> userIdFrom (const char* text)
        {
            if (text == nullptr || *text == 0 || std::string (text).find_first_not_of ("0123456789") != std::string::npos)
                return std::nullopt;

            const auto value = std::strtoull (text, nullptr, 10);

            if (value >= (unsigned long long) (uid_t) -1)
                return std::nullopt;

            return (uid_t) value;
        }

        bool namesUser (const char* name, uid_t uid)
        {
            const auto* entry = name != nullptr ? getpwnam (name) : nullptr;
            return entry != nullptr && entry->pw_uid == uid;
        }
    }

    std::string describeAskingUser()
    {
        auto uid = getuid();
        std::string route;

        // Only root's environment is root's: anyone else's was set by that user.
        if (uid == 0)
        {
            const auto pkexecUid = userIdFrom (std::getenv ("PKEXEC_UID"));
            const auto sudoUid = userIdFrom (std::getenv ("SUDO_UID"));

            if (pkexecUid.has_value())
            {
                uid = *pkexecUid;
                route = " through pkexec";
            }
            else if (sudoUid.has_value() && namesUser (std::getenv ("SUDO_USER"), *sudoUid))
            {
                uid = *sudoUid;
                route = " through sudo";
            }
        }

        const auto* entry = getpwuid (uid);
        return std::string (entry != nullptr ? entry->pw_name : "unknown user")
                   + " (uid " + std::to_string (uid) + ")" + route;
    }

    std::string escapeControlCharacters (const std::string& text)
    {
        std::string escaped;

        for (auto c : text)
        {
            const auto byte = (unsigned char) c;

            if (byte < 0x20 || byte == 0x7f)
            {
                char code[5];
                std::snprintf (code, sizeof (code), "\\x%02x", byte);
                escaped += code;
            }
            else
            {
                escaped += c;
            }
        }

        return escaped;
    }

    void notice (const std::string& message)   { write (LOG_NOTICE, message); }
    void warning (const std::string& message)  { write (LOG_WARNING, message); }
}
