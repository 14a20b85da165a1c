#include <gtest/gtest.h>

#include "common/RemovalTool.h"
#include "platform/RootAuthorizationServices.h"
#include "support/ScratchFolder.h"
#include "uninstall/CAuth.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace
{
    bool lockIsFree (const std::string& file)
    {
        const auto fd = ::open (file.c_str(), O_RDWR);
        const auto free = fd >= 0 && ::flock (fd, LOCK_EX | LOCK_NB) == 0;
        ::close (fd);
        return free;
    }
}

// Root's own rights are not needed to see it: the scratch paths are the user's.
TEST (RootAuthorizationServices, AsksNothingHoldsTheLockAndStartsToolsAsTheHelperDoes)
{
    const ScratchFolder scratch;
    const auto target = scratch.makeFile ("record");
    const juce::File record (target);
    const auto lockFile = target + ".lock";

    // The probe writes its record in place of removing it, and stands in for rm.
    HelperRequests::AllowList allowed;
    allowed.targets = { target };
    allowed.removeTool = juce::File::getSpecialLocation (juce::File::currentExecutableFile)
                             .getSiblingFile ("tool_probe").getFullPathName().toStdString();

    // What the program holds open, which no tool may be handed.
    const auto inherited = ::open ("/dev/null", O_RDONLY);

    {
        CAuth auth (std::make_unique<RootAuthorizationServices> (allowed, lockFile));
        ASSERT_TRUE (auth.isAuthorized());
        EXPECT_FALSE (lockIsFree (lockFile));

        char* arguments[] = { const_cast<char*> (RemovalTool::recursively),
                              const_cast<char*> (RemovalTool::withinOneFileSystem),
                              const_cast<char*> (target.c_str()), nullptr };
        EXPECT_EQ (auth.execute (allowed.removeTool.c_str(), arguments), 0);
        EXPECT_EQ (auth.inspect (target.c_str()).kind, PathState::Kind::present);
        EXPECT_EQ (auth.describeLastLaunch(), "still present after removal; rm ended with status 0");
    }

    EXPECT_TRUE (lockIsFree (lockFile));
    ::close (inherited);

    juce::StringArray lines;
    record.readLines (lines);
    lines.removeEmptyStrings();
    EXPECT_EQ (lines, juce::StringArray ({ "descriptor 0", "descriptor 1", "descriptor 2",
                                           "environment PATH=/usr/bin:/bin:/usr/sbin:/sbin" }));
}
