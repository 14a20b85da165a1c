#pragma once

#include <optional>
#include <string>
#include <vector>

/** The file systems mounted on this machine, as the kernel lists them for us. */
namespace MountTable
{
    /** Where a file system is mounted at the path or inside it, in words, or that
        the mounts could not be listed, so that nothing is removed; empty when none is. rm would empty it: its one-file-system option knows a different
        device only, not a folder bound from the same one, and a Mac's rm -x does not
        refuse a target that is itself a mount point. */
    std::string findMountInside (const std::string& path);

    /** The same, among these mount points: a sibling whose name merely starts with
        the path's is not inside it. */
    std::string findMountInside (const std::string& path, const std::vector<std::string>& mountPoints);

    /** Every mount point, decoded: the system's own listing (Linux's mountinfo, a
        Mac's getmntinfo); nothing where it could not be read (no /proc in a chroot). */
    std::optional<std::vector<std::string>> readMountPoints();
}
