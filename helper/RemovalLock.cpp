#include "helper/RemovalLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

RemovalLock::RemovalLock (const std::string& file)
{
    if (file.empty())
        return;

    // Root's own file, never one that a link put in its place leads to.
    descriptor = ::open (file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600);

    if (descriptor >= 0)
        while (::flock (descriptor, LOCK_EX) != 0 && errno == EINTR) {}
}

RemovalLock::~RemovalLock()
{
    if (descriptor >= 0)
        ::close (descriptor);
}
