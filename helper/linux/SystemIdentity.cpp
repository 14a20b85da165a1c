// Linux's facts about who asked: the kernel's login user where logind recorded the
// login that set it, and the variables that pkexec and sudo set.
#include "helper/SystemLog.h"

#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace
{
    std::string readWord (const std::string& file)
    {
        std::ifstream stream (file);
        std::string word;
        stream >> word;
        return word;
    }

    std::string environment (const char* name)
    {
        const auto* value = std::getenv (name);
        return value != nullptr ? value : "";
    }

    /** A process outside any login (a service, cron, a container) may set its own
        login user once, to anyone, and the kernel gives it a new audit session with
        it. logind names each login's session after the kernel's and records its user
        in a file only root writes: the login user counts where that file agrees. */
    std::optional<uid_t> readRecordedLoginUser()
    {
        const auto loginUser = SystemLog::parseUserId (readWord ("/proc/self/loginuid"));
        const auto session = readWord ("/proc/self/sessionid");

        if (! loginUser.has_value() || ! SystemLog::parseUserId (session).has_value())
            return std::nullopt;

        std::ifstream record ("/run/systemd/sessions/" + session);

        for (std::string line; std::getline (record, line);)
            if (line == "UID=" + std::to_string (*loginUser))
                return loginUser;

        return std::nullopt;
    }
}

SystemLog::Identity SystemLog::readIdentity (bool startedAsHelper)
{
    return { ::getuid(), readRecordedLoginUser(), environment ("PKEXEC_UID"), environment ("SUDO_UID"), startedAsHelper };
}
