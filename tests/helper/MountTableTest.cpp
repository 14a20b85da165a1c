#include <gtest/gtest.h>

#include "helper/MountTable.h"

TEST (MountTable, FindsAMountAtOrInsideTheBundleOnlyAndNamesItEscaped)
{
    const std::string bundle = "/Library/Audio/MIDI Drivers/Pelk.plugin";

    EXPECT_EQ (MountTable::findMountInside (bundle, { "/", "/Library/Audio/MIDI Drivers/Pelk.plugin2", "/Library" }), "");
    EXPECT_EQ (MountTable::findMountInside (bundle, { "/", bundle }), "a file system is mounted at " + bundle);
    EXPECT_EQ (MountTable::findMountInside (bundle, { bundle + "/Contents/\xc2\x9b" }),
               "a file system is mounted at " + bundle + "/Contents/\\xC2\\x9B");

    // This machine's own table lists the root, so a bundle with nothing inside passes.
    EXPECT_EQ (MountTable::findMountInside ("/nonexistent/Pelk.plugin"), "");
}
