#pragma once

#include <string>
#include <vector>

/** The file systems mounted on this machine, as the kernel lists them for us. */
namespace MountTable
{
    /** Where a file system is mounted at the path or inside it, in words; empty
        when none is. rm would empty it: its one-file-system option knows a different
        device only, not a folder bound from the same one, and a Mac's rm -x does not
        refuse a target that is itself a mount point. */
    std::string findMountInside (const std::string& path);

    /** Every mount point, decoded: the system's own listing (Linux's mountinfo, a
        Mac's getmntinfo). */
    std::vector<std::string> readMountPoints();
}
