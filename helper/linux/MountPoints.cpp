#include "helper/MountTable.h"

#include <fstream>
#include <sstream>

namespace
{
    /** A mount point as the table writes it: space, tab, newline and backslash as octal escapes. */
    std::string decodeMountPoint (const std::string& field)
    {
        std::string path;

        for (std::size_t i = 0; i < field.size(); ++i)
        {
            const bool isEscape = field[i] == '\\' && i + 3 < field.size()
                                   && field.find_first_not_of ("01234567", i + 1) >= i + 4;

            if (isEscape)
            {
                path += (char) std::stoi (field.substr (i + 1, 3), nullptr, 8);
                i += 3;
            }
            else
            {
                path += field[i];
            }
        }

        return path;
    }
}

std::optional<std::vector<std::string>> MountTable::readMountPoints()
{
    std::ifstream mountTable ("/proc/self/mountinfo");
    std::vector<std::string> mountPoints;
    std::string line;

    if (! mountTable.is_open())
        return std::nullopt;

    while (std::getline (mountTable, line))
    {
        std::istringstream fields (line);
        std::string field, mountPoint;

        // ID, parent ID, device, root, then the mount point.
        for (int i = 0; i < 5 && fields >> field; ++i)
            mountPoint = field;

        mountPoints.push_back (decodeMountPoint (mountPoint));
    }

    // The root is always mounted: a table without it was not read to its end.
    if (mountTable.bad() || mountPoints.empty())
        return std::nullopt;

    return mountPoints;
}
