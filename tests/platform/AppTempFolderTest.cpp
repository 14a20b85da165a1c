#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include <cstdlib>

namespace
{
    /** Runs the probe in a process of its own (GLib reads the home folders only once
        per process) with home, cache, data and temporary folders in a scratch folder. */
    class TrashedCacheFolder : public testing::Test
    {
    protected:
        juce::TemporaryFile scratchFile;
        juce::File scratch = scratchFile.getFile();
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

        void TearDown() override
        {
            scratch.deleteRecursively();
        }

        juce::StringArray runProbe()
        {
            juce::ChildProcess probe;
            const auto path = juce::File::getSpecialLocation (juce::File::currentExecutableFile)
                                  .getSiblingFile ("trash_probe").getFullPathName();
            // Its standard output alone: a Debug build's framework prints its banner on the other.
            EXPECT_TRUE (probe.start (path, juce::ChildProcess::wantStdOut));
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
    EXPECT_EQ (result, juce::StringArray (folder.getFullPathName(), "moved"));
    EXPECT_FALSE (folder.exists());

    ASSERT_EQ (trashed ("files").size(), 1);
    EXPECT_TRUE (trashed ("files")[0].getChildFile ("left-by-last-run").existsAsFile());
    ASSERT_EQ (trashed ("info", "*.trashinfo").size(), 1);
    EXPECT_TRUE (trashed ("info", "*.trashinfo")[0].loadFileAsString()
                     .contains ("Path=" + folder.getFullPathName()));

    EXPECT_EQ (marker.loadFileAsString(), "keep me");
}

TEST_F (TrashedCacheFolder, EveryStartTrashesAFolderOfItsOwn)
{
    EXPECT_EQ (runProbe()[1], "moved");
    EXPECT_EQ (runProbe()[1], "moved");

    EXPECT_EQ (trashed ("files").size(), 2);
    EXPECT_EQ (trashed ("info", "*.trashinfo").size(), 2);
}

TEST_F (TrashedCacheFolder, FollowsTheCacheHomeOfTheEnvironment)
{
    auto cache = scratch.getChildFile ("elsewhere");
    setenv ("XDG_CACHE_HOME", cache.getFullPathName().toRawUTF8(), 1);

    auto result = runProbe();

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
