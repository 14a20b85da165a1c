#pragma once

#include <array>

/** The driver's installed bundles, in the order in which they are removed.
    Plain UTF-8 bytes, the same on every machine. The privileged helper includes
    this header too, so the program and the helper can never disagree on them. */
namespace DriverBundles
{
    inline constexpr std::array<const char*, 4> paths {
        "/Library/Audio/MIDI Drivers/PelkUSBMIDIDriver.plugin",
        "/System/Library/Extensions/adif.plugin",
        "/System/Library/Extensions/advPelkUSBMIDIDriver.plugin",
        "/Library/Audio/MIDI Drivers/advPelkUSBMIDIDriver.plugin"
    };
}
