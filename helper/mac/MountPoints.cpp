#include "helper/MountTable.h"

#include <sys/param.h>
#include <sys/ucred.h>
#include <sys/mount.h>

std::optional<std::vector<std::string>> MountTable::readMountPoints()
{
    // The system's own buffer, valid until the next call; the names come unescaped.
    struct statfs* mounts = nullptr;
    const auto count = ::getmntinfo (&mounts, MNT_NOWAIT);

    if (count <= 0)
        return std::nullopt;

    std::vector<std::string> mountPoints;

    for (int i = 0; i < count; ++i)
        mountPoints.emplace_back (mounts[i].f_mntonname);

    return mountPoints;
}
