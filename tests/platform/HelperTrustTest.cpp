#include <gtest/gtest.h>

#include "platform/HelperTrust.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
    // A root-owned scratch tree beside the test program: folder/inner/helper.
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

            auto base = juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory();
            scratch = base.getNonexistentChildFile ("helper-trust", {}, false);
            inner = scratch.getChildFile ("inner");
            helper = inner.getChildFile ("helper");

            ASSERT_TRUE (inner.createDirectory());
            ASSERT_TRUE (helper.replaceWithText ("#!/bin/sh\n"));
            for (auto& entry : { scratch, inner })
                setMode (entry, 0755);
            setMode (helper, 0755);

            ASSERT_EQ (HelperTrust::verify (helper), std::optional<juce::File> (helper))
                << "the folders above " << scratch.getFullPathName()
                << " must be owned by root and writable by root alone";
        }

        void TearDown() override
        {
            if (scratch != juce::File())
                scratch.deleteRecursively();
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
        juce::File scratch, inner, helper;
    };
}

TEST_F (HelperTrustTest, RefusesAHelperThatAnotherUserOwnsOrMayWrite)
{
    setMode (helper, 0757);
    EXPECT_FALSE (isTrusted (helper)) << "others may write it";

    setMode (helper, 0775);
    EXPECT_FALSE (isTrusted (helper)) << "its group may write it";

    setMode (helper, 0755);
    setOwner (helper, nobody);
    EXPECT_FALSE (isTrusted (helper)) << "owned by nobody";
}

TEST_F (HelperTrustTest, RefusesAHelperBelowAFolderThatAnotherUserOwnsOrMayWrite)
{
    setMode (inner, 0777);
    EXPECT_FALSE (isTrusted (helper)) << "others may write its own folder";

    setMode (inner, 0755);
    setMode (scratch, 0775);
    EXPECT_FALSE (isTrusted (helper)) << "the group may write a folder two levels up";

    setMode (scratch, 01777);
    EXPECT_FALSE (isTrusted (helper)) << "a sticky folder is still one that others may write";

    setMode (scratch, 0755);
    setOwner (scratch, nobody);
    EXPECT_FALSE (isTrusted (helper)) << "a folder above is owned by nobody";
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
