#include "helper/MountTable.h"

#include "helper/SystemLog.h"

std::string MountTable::findMountInside (const std::string& path)
{
    // Fail closed: an unseen mount inside a bundle would be emptied.
    if (const auto mountPoints = readMountPoints(); mountPoints.has_value())
        return findMountInside (path, *mountPoints);

    return "the mounted file systems could not be listed";
}

std::string MountTable::findMountInside (const std::string& path, const std::vector<std::string>& mountPoints)
{
    for (auto& mountPoint : mountPoints)
        if (mountPoint == path || mountPoint.rfind (path + "/", 0) == 0)
            return "a file system is mounted at " + SystemLog::escapeControlCharacters (mountPoint);

    return {};
}
