#include "platform/SystemLog.h"

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
            openlog ("pelk-usb-midi-driver-uninstaller", LOG_PID, LOG_USER);
            // Never as the format: a path may hold a '%'.
            syslog (priority, "%s", message.c_str());
            closelog();
        }
    }

    std::string describeAskingUser()
    {
        const auto uid = getuid();
        const auto* entry = getpwuid (uid);
        auto text = std::string (entry != nullptr ? entry->pw_name : "unknown user")
                        + " (uid " + std::to_string (uid) + ")";

        if (const auto* sudoUser = std::getenv ("SUDO_USER"); uid == 0 && sudoUser != nullptr && *sudoUser != 0)
            text += " through sudo by " + std::string (sudoUser);

        return text;
    }

    void notice (const std::string& message)   { write (LOG_NOTICE, message); }
    void warning (const std::string& message)  { write (LOG_WARNING, message); }
}
