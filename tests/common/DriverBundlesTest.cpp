#include <gtest/gtest.h>

#include "common/DriverBundles.h"

#include <cstring>

TEST (DriverBundles, AreTheFourBundlesByteForByteInRemovalOrder)
{
    const char* const expected[] = {
        "/Library/Audio/MIDI Drivers/PelkUSBMIDIDriver.plugin",
        "/System/Library/Extensions/adif.plugin",
        "/System/Library/Extensions/advPelkUSBMIDIDriver.plugin",
        "/Library/Audio/MIDI Drivers/advPelkUSBMIDIDriver.plugin"
    };
    const std::size_t lengths[] = { 52, 38, 54, 55 };

    ASSERT_EQ (DriverBundles::paths.size(), 4u);

    for (std::size_t i = 0; i < 4; ++i)
    {
        ASSERT_EQ (std::strlen (DriverBundles::paths[i]), lengths[i]) << i;
        EXPECT_EQ (std::memcmp (DriverBundles::paths[i], expected[i], lengths[i] + 1), 0) << i;
    }
}
