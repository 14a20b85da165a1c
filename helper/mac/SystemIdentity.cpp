// The Mac's facts about who asked: the real user, which the Security framework
// keeps for the helper it starts. Nothing on a Mac sets PKEXEC_UID, so a variable
// of that name is a user's own, never read.
#include "helper/SystemLog.h"

#include <unistd.h>

SystemLog::Identity SystemLog::readIdentity (bool)
{
    return { ::getuid(), std::nullopt, {}, {}, false };
}
