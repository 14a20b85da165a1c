#include "support/ProcessScratch.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

TEST (ProcessScratch, RemovesTheFoldersOfEndedProcessesAlone)
{
    const ScratchFolder scratch;
    const auto& root = scratch.getFolder();
    const auto ended = root.getChildFile ("100");
    const auto running = root.getChildFile ("200");

    for (auto& folder : { ended, running })
    {
        ASSERT_TRUE (folder.getChildFile ("home").createDirectory());
        ASSERT_TRUE (folder.withFileExtension ("lock").create());
    }

    // An open file description of its own holds the lock, as another process's would.
    const auto held = ::open (running.withFileExtension ("lock").getFullPathName().toRawUTF8(), O_RDWR | O_CLOEXEC);
    ASSERT_EQ (::flock (held, LOCK_EX), 0);

    ProcessScratch::removeFoldersOfEndedProcesses (root);

    EXPECT_FALSE (ended.exists());
    EXPECT_FALSE (ended.withFileExtension ("lock").exists());
    EXPECT_TRUE (running.getChildFile ("home").isDirectory());
    EXPECT_TRUE (running.withFileExtension ("lock").exists());

    ::close (held);
}
