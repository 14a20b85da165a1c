#pragma once

#include <string>

/** The file systems mounted on this machine, as the kernel lists them for us. */
namespace MountTable
{
    /** Where a file system is mounted at the path or inside it, in words; empty
        when none is (or where the system keeps no such table). rm would empty it:
        its one-file-system option knows a different device only, not a folder bound
        from the same one. */
    std::string findMountInside (const std::string& path);
}
