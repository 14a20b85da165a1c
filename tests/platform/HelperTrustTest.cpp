#include <gtest/gtest.h>

#include "platform/HelperTrust.h"
#include "support/ScratchFolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
    // A sound scratch tree, scratch/inner/helper, that each case spoils in one way.
    class HelperTrustTest : public testing::Test
    {
    protected:
        void SetUp() override
        {
            if (::geteuid() != 0)
                GTEST_SKIP() << "owning and handing scratch files to another user needs root";

            auto* nobodyEntry = ::getpwnam ("nobody");
            ASSERT_NE (nobodyEntry, nullptr);
            nobody = nobodyEntry->pw_uid;

            // Beside the test program if its folders are sound; a clone under /tmp
            // is not, so then in root's own folders.
            for (auto& base : { juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory(),
                                juce::File ("/run"),
                                juce::File (::getpwuid (0)->pw_dir) })
            {
                makeScratchTree (base);
                if (HelperTrust::verify (helper) == std::optional<juce::File> (helper))
                    return;
            }

            FAIL() << "found no folder owned by root and writable by root alone for the scratch files";
        }

        void makeScratchTree (const juce::File& base)
        {
            scratchFolder = std::make_unique<ScratchFolder> (base);
            scratch = scratchFolder->getFolder();
            inner = scratch.getChildFile ("inner");
            helper = inner.getChildFile ("helper");

            ASSERT_TRUE (inner.createDirectory());
            ASSERT_TRUE (helper.replaceWithText ("#!/bin/sh\n"));
            for (auto& entry : { scratch, inner, helper })
                setMode (entry, 0755);
        }

        static void setMode (const juce::File& entry, mode_t mode)
        {
            ASSERT_EQ (::chmod (entry.getFullPathName().toRawUTF8(), mode), 0);
        }

        static void setOwner (const juce::File& entry, uid_t owner)
        {
            ASSERT_EQ (::lchown (entry.getFullPathName().toRawUTF8(), owner, (gid_t) -1), 0);
        }

        static void makeLink (const juce::File& link, const juce::File& target)
        {
            ASSERT_EQ (::symlink (target.getFullPathName().toRawUTF8(), link.getFullPathName().toRawUTF8()), 0);
        }

        bool isTrusted (const juce::File& path) const { return HelperTrust::verify (path).has_value(); }

        uid_t nobody = 0;
        std::unique_ptr<ScratchFolder> scratchFolder;
        juce::File scratch, inner, helper;
    };
}

TEST_F (HelperTrustTest, RefusesAHelperOrFolderAboveItThatAnotherUserOwnsOrMayWrite)
{
    // Each spoils one entry of the sound tree; undone, the helper is trusted again.
    struct Spoiling { juce::File entry; mode_t mode; bool ownedByNobody; const char* what; };
    const Spoiling spoilings[] {
        { helper,  0757,  false, "others may write the helper" },
        { helper,  0775,  false, "its group may write the helper" },
        { helper,  0755,  true,  "nobody owns the helper" },
        { inner,   0777,  false, "others may write the helper's folder" },
        { scratch, 0775,  false, "the group may write a folder two levels up" },
        { scratch, 01777, false, "a sticky folder is still one that others may write" },
        { scratch, 0755,  true,  "nobody owns a folder above" },
    };

    for (auto& spoiling : spoilings)
    {
        setMode (spoiling.entry, spoiling.mode);
        if (spoiling.ownedByNobody)
            setOwner (spoiling.entry, nobody);
        EXPECT_FALSE (isTrusted (helper)) << spoiling.what;

        setMode (spoiling.entry, 0755);
        setOwner (spoiling.entry, 0);
        ASSERT_TRUE (isTrusted (helper)) << "after undoing: " << spoiling.what;
    }
}

TEST_F (HelperTrustTest, JudgesWhatALinkLeadsTo)
{
    auto linkToHelper = scratch.getChildFile ("link-to-helper");
    makeLink (linkToHelper, helper);
    EXPECT_EQ (HelperTrust::verify (linkToHelper), std::optional<juce::File> (helper))
        << "the real path is the one to launch";

    auto open = scratch.getChildFile ("open");
    ASSERT_TRUE (open.createDirectory());
    setMode (open, 0777);
    auto swappable = open.getChildFile ("helper");
    ASSERT_TRUE (helper.copyFileTo (swappable));
    setMode (swappable, 0755);

    auto linkToSwappable = inner.getChildFile ("link-to-swappable");
    makeLink (linkToSwappable, swappable);
    EXPECT_FALSE (isTrusted (linkToSwappable)) << "a sound link to a helper in a folder others may write";

    auto linkedFolder = inner.getChildFile ("linked-folder");
    makeLink (linkedFolder, open);
    EXPECT_FALSE (isTrusted (linkedFolder.getChildFile ("helper"))) << "a sound path through a linked open folder";
}

TEST_F (HelperTrustTest, RefusesWhatIsNoHelperFile)
{
    EXPECT_FALSE (isTrusted (inner.getChildFile ("missing")));
    EXPECT_FALSE (isTrusted (inner)) << "a folder";
    EXPECT_FALSE (isTrusted (juce::File())) << "no path at all";

    auto dangling = inner.getChildFile ("dangling");
    makeLink (dangling, inner.getChildFile ("missing"));
    EXPECT_FALSE (isTrusted (dangling));
}
