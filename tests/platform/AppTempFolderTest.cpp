#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include "platform/AppTempFolder.h"
#include "support/ScratchFolder.h"

#include <cstdlib>
#include <unistd.h>

namespace
{
    /** Runs the probe in a process of its own (GLib reads the home folders only once
        per process) with home, cache, data and temporary folders in a scratch folder. */
    class TrashedCacheFolder : public testing::Test
    {
    protected:
        ScratchFolder scratchFolder;
        juce::File scratch = scratchFolder.getFolder();
        juce::File home = scratch.getChildFile ("home");
        juce::File shared = scratch.getChildFile ("tmp");
        juce::File trash = home.getChildFile (".local/share/Trash");

        void SetUp() override
        {
            home.createDirectory();
            shared.createDirectory();
            setenv ("HOME", home.getFullPathName().toRawUTF8(), 1);
            setenv ("XDG_DATA_HOME", home.getChildFile (".local/share").getFullPathName().toRawUTF8(), 1);
            unsetenv ("XDG_CACHE_HOME");
            setenv ("TMPDIR", shared.getFullPathName().toRawUTF8(), 1);
        }

        /** Leaves a file in the folder first unless told there is nothing to leave. Run
            as root, the probe sees a password database whose root has this home (or
            the one given), in a mount namespace of its own: root moves only its own. */
        juce::StringArray runProbe (bool leaveAFile = true, juce::File rootsHome = {})
        {
            juce::ChildProcess probe;
            const auto path = juce::File::getSpecialLocation (juce::File::currentExecutableFile)
                                  .getSiblingFile ("trash_probe").getFullPathName();
            juce::StringArray command;

            if (::geteuid() == 0)
            {
                const auto passwd = scratch.getChildFile ("passwd");
                passwd.replaceWithText ("root:x:0:0:root:" + (rootsHome == juce::File() ? home : rootsHome).getFullPathName()
                                        + ":/bin/sh\n", false, false, "\n");
                command.addArray ({ "unshare", "--mount", "sh", "-c", "mount --bind \"$0\" /etc/passwd && exec \"$@\"",
                                    passwd.getFullPathName() });
            }

            command.add (path);

            if (leaveAFile)
                command.add ("--leave-a-file");

            // Its standard output alone: a Debug build's framework prints its banner on the other.
            EXPECT_TRUE (probe.start (command, juce::ChildProcess::wantStdOut));
            auto output = probe.readAllProcessOutput();
            probe.waitForProcessToFinish (10000);
            return juce::StringArray::fromLines (output.trim());
        }

        juce::Array<juce::File> trashed (const char* where, const char* pattern = "*")
        {
            return trash.getChildFile (where).findChildFiles (juce::File::findFilesAndDirectories, false, pattern);
        }
    };
}

TEST_F (TrashedCacheFolder, GoesToTheTrashWithARecordOfWhereItCameFrom)
{
    auto marker = shared.getChildFile ("another-program's-file");
    marker.replaceWithText ("keep me");

    auto result = runProbe();

    auto folder = home.getChildFile (".cache/trash_probe");
    EXPECT_EQ (result, juce::StringArray (folder.getFullPathName(), "moved", "GIO loaded"));
    EXPECT_FALSE (folder.exists());

    ASSERT_EQ (trashed ("files").size(), 1);
    EXPECT_TRUE (trashed ("files")[0].getChildFile ("left-by-last-run").existsAsFile());
    ASSERT_EQ (trashed ("info", "*.trashinfo").size(), 1);
    EXPECT_TRUE (trashed ("info", "*.trashinfo")[0].loadFileAsString()
                     .contains ("Path=" + folder.getFullPathName().replace (" ", "%20")));

    EXPECT_EQ (marker.loadFileAsString(), "keep me");
}

TEST_F (TrashedCacheFolder, OnlyAFolderThatIsThereGoesAndNoneIsMadeToBeMoved)
{
    EXPECT_EQ (runProbe()[1], "moved");

    // Nothing was left since: nothing is made, nothing moved, and GIO stays unloaded.
    const auto nothingLeft = runProbe (false);
    EXPECT_EQ (nothingLeft[1], "kept");
    EXPECT_EQ (nothingLeft[2], "GIO not loaded");
    EXPECT_FALSE (home.getChildFile (".cache/trash_probe").exists());

    EXPECT_EQ (runProbe()[1], "moved");
    EXPECT_EQ (trashed ("files").size(), 2);
    EXPECT_EQ (trashed ("info", "*.trashinfo").size(), 2);
}

TEST_F (TrashedCacheFolder, FollowsTheCacheHomeOfTheEnvironment)
{
    auto cache = scratch.getChildFile ("elsewhere");
    setenv ("XDG_CACHE_HOME", cache.getFullPathName().toRawUTF8(), 1);

    // Run as root, the cache lies in root's home only if that home holds it.
    auto result = runProbe (true, scratch);

    EXPECT_EQ (result[0], cache.getChildFile ("trash_probe").getFullPathName());
    EXPECT_EQ (result[1], "moved");
}

TEST_F (TrashedCacheFolder, NeverMovesAFolderThatOtherProgramsShare)
{
    // The cache folder would be the system's temporary folder itself.
    auto cache = scratch.getChildFile ("cache");
    auto sharedTemp = cache.getChildFile ("trash_probe");
    setenv ("XDG_CACHE_HOME", cache.getFullPathName().toRawUTF8(), 1);
    setenv ("TMPDIR", sharedTemp.getFullPathName().toRawUTF8(), 1);

    EXPECT_EQ (runProbe()[1], "kept");
    EXPECT_TRUE (sharedTemp.getChildFile ("left-by-last-run").existsAsFile());
    EXPECT_TRUE (trashed ("files").isEmpty());

    // ... or the home folder holding everything else.
    setenv ("XDG_CACHE_HOME", scratch.getFullPathName().toRawUTF8(), 1);
    setenv ("HOME", cache.getChildFile ("..").getChildFile ("trash_probe").getFullPathName().toRawUTF8(), 1);
    setenv ("TMPDIR", shared.getFullPathName().toRawUTF8(), 1);
    EXPECT_EQ (runProbe()[1], "kept");
}

TEST_F (TrashedCacheFolder, RunAsRootMovesOnlyAFolderInRootsOwnHomeWithNoLinkBelowIt)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "root's own rule";

    // A user's HOME kept by sudo -E: not root's home.
    EXPECT_EQ (runProbe (true, scratch.getChildFile ("roots-home"))[1], "kept");

    // In root's home, but through a link that a user could have made there.
    auto elsewhere = scratch.getChildFile ("elsewhere");
    ASSERT_TRUE (elsewhere.createDirectory());
    home.getChildFile (".cache").deleteRecursively();
    ASSERT_TRUE (elsewhere.createSymbolicLink (home.getChildFile (".cache"), true));
    EXPECT_EQ (runProbe()[1], "kept");
    EXPECT_TRUE (elsewhere.getChildFile ("trash_probe/left-by-last-run").existsAsFile());
    EXPECT_TRUE (trashed ("files").isEmpty());

    // Root's home itself may lie behind the system's own link, as a Mac's /var/root does.
    home.getChildFile (".cache").deleteFile();
    auto linkedHome = scratch.getChildFile ("linked-home");
    ASSERT_TRUE (home.createSymbolicLink (linkedHome, true));
    setenv ("HOME", linkedHome.getFullPathName().toRawUTF8(), 1);
    EXPECT_EQ (runProbe (true, linkedHome)[1], "moved");
}

TEST (NeverTrashedFolders, AreEveryFolderThatIsOrHoldsSomebodyElsesFiles)
{
    const ScratchFolder scratchFolder;

    // The system's own shared folders count for themselves, wherever the scratch folder lies.
    for (auto* variable : { "TMPDIR", "HOME", "XDG_CACHE_HOME" })
        unsetenv (variable);

    for (auto* shared : { "/", "/tmp", "/var/tmp" })
        EXPECT_TRUE (AppTempFolder::isNeverMoved (juce::File (shared))) << shared;

    // Each shared folder has a parent of its own; two are named by way of a link.
    const auto scratch = scratchFolder.getFolder();
    const auto temp = scratch.getChildFile ("t/tmp");
    const auto tempLink = scratch.getChildFile ("t link");
    const auto home = scratch.getChildFile ("h/home");
    const auto homeLink = scratch.getChildFile ("h link");
    const auto cache = scratch.getChildFile ("c/cache");
    const auto own = cache.getChildFile ("own");

    for (auto& folder : { temp, home, own })
        folder.createDirectory();

    ASSERT_TRUE (temp.getParentDirectory().createSymbolicLink (tempLink, true));
    ASSERT_TRUE (home.getParentDirectory().createSymbolicLink (homeLink, true));

    setenv ("TMPDIR", tempLink.getChildFile ("tmp").getFullPathName().toRawUTF8(), 1);
    setenv ("HOME", home.getFullPathName().toRawUTF8(), 1);
    setenv ("XDG_CACHE_HOME", cache.getFullPathName().toRawUTF8(), 1);

    const std::pair<juce::File, bool> table[] {
        { tempLink.getChildFile ("tmp"), true },
        { tempLink, true },
        { temp, true },
        { temp.getParentDirectory(), true },
        { home, true },
        { home.getParentDirectory(), true },
        { homeLink.getChildFile ("home"), true },
        { homeLink, true },
        { cache, true },
        { cache.getParentDirectory(), true },
        { scratch, true },
        { juce::File(), true },
        { own, false },
        { home.getChildFile ("Documents"), false },
    };

    for (auto& [folder, neverMoved] : table)
        EXPECT_EQ (AppTempFolder::isNeverMoved (folder), neverMoved) << folder.getFullPathName();

    // The program's own folder, when it is itself the temporary or the home folder.
    for (auto* variable : { "TMPDIR", "HOME" })
    {
        const juce::String before (getenv (variable));
        setenv (variable, own.getFullPathName().toRawUTF8(), 1);
        EXPECT_TRUE (AppTempFolder::isNeverMoved (own)) << variable;
        setenv (variable, before.toRawUTF8(), 1);
    }
}
