#include <gtest/gtest.h>

#include "support/MessageLoop.h"
#include "support/PageParts.h"
#include "support/ScratchFolder.h"
#include "support/TestAuthorization.h"

#include <unistd.h>

TEST (UninstallJob, OverTheHelperATreeGoesWholeAndADanglingLinkGoesAsALink)
{
    const ScratchFolder scratch;
    const auto targets = scratch.bundlePaths();
    scratch.makeBundle (0);
    scratch.makeBundle (3);
    const auto linkedTo = scratch.file ("kept/missing target");
    linkedTo.getParentDirectory().createDirectory();
    scratch.bundle (1).getParentDirectory().createDirectory();
    ASSERT_EQ (::symlink (linkedTo.getFullPathName().toRawUTF8(), targets[1].c_str()), 0);

    {
        MainLayoutComponent host ({ targets, [&] { return TestAuthorization::createServices (true, targets); } });
        host.actionListenerCallback (WizardVocabulary::uninstall);
        auto& page = PageParts::completionPage (host);
        EXPECT_TRUE (MessageLoop::runUntil ([&] { return page.isVisible(); }, 6000));
        EXPECT_EQ (PageParts::messageBox (page).getText(), "The uninstallation was completed.");
    }

    EXPECT_FALSE (scratch.bundle (0).exists());
    EXPECT_FALSE (scratch.bundle (3).exists());
    EXPECT_TRUE (scratch.bundle (0).getParentDirectory().isDirectory());
    EXPECT_FALSE (scratch.bundle (1).isSymbolicLink());
    EXPECT_TRUE (linkedTo.getParentDirectory().isDirectory());
}
