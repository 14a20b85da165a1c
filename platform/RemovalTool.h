#pragma once

/** How a driver bundle is removed, the same for the program that asks and the side
    that acts as root: this tool, these two options, then the bundle's path. The
    removal never crosses into a file system mounted inside the bundle. */
namespace RemovalTool
{
    constexpr const char* path = "/bin/rm";
    constexpr const char* recursively = "-r";

    /** Held by the side that acts as root while it may remove, so that two removals
        never run at once. */
   #if defined (__APPLE__)
    constexpr const char* lockFile = "/var/run/pelk-usb-midi-driver-uninstaller.lock";
    constexpr const char* withinOneFileSystem = "-x";
   #else
    constexpr const char* lockFile = "/run/pelk-usb-midi-driver-uninstaller.lock";
    constexpr const char* withinOneFileSystem = "--one-file-system";
   #endif
}
