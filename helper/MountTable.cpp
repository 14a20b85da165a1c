#include "helper/MountTable.h"

#include "helper/SystemLog.h"

std::string MountTable::findMountInside (const std::string& path)
{
    for (auto& mountPoint : readMountPoints())
        if (mountPoint == path || mountPoint.rfind (path + "/", 0) == 0)
            return "a file system is mounted at " + SystemLog::escapeControlCharacters (mountPoint);

    return {};
}
