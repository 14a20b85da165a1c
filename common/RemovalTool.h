#pragma once

#include "common/ProductInfo.h"

/** How a driver bundle is removed, the same for the program that asks and the side
    that acts as root: this tool, these two options, then the bundle's path. The
    removal never crosses into a file system mounted inside the bundle. */
namespace RemovalTool
{
    constexpr const char* path = "/bin/rm";
    constexpr const char* recursively = "-r";
    constexpr const char* withinOneFileSystem = ProductInfo::removeWithinOneFileSystem;

    /** Held by the side that acts as root while it may remove, so that two removals
        never run at once. */
    constexpr const char* lockFile = ProductInfo::lockFile;
}
