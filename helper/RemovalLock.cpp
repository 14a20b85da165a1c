#include "helper/RemovalLock.h"

#include "common/ProductInfo.h"
#include "common/TerminationHold.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

RemovalLock::RemovalLock (const std::string& file)
{
    if (file.empty())
        return;

    // Root's own file, never one that a link put in its place leads to.
    descriptor = ::open (file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600);

    if (descriptor < 0)
        return;

    constexpr int pollsBeforeSaying = 10;

    for (int polls = 0; ::flock (descriptor, LOCK_EX | LOCK_NB) != 0; ++polls)
    {
        if ((errno != EWOULDBLOCK && errno != EINTR) || TerminationHold::received() != 0)
            return;

        if (polls == pollsBeforeSaying)
            std::fprintf (stderr, "%s: waiting for another removal of the driver to end (%s)\n",
                          ProductInfo::programName, file.c_str());

        ::usleep (100 * 1000);
    }
}

RemovalLock::~RemovalLock()
{
    if (descriptor >= 0)
        ::close (descriptor);
}
