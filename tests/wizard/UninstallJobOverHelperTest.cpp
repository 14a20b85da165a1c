#include <gtest/gtest.h>

#include "support/MessageLoop.h"
#include "support/PageParts.h"
#include "support/ScratchNames.h"
#include "support/TestAuthorization.h"

#include <unistd.h>

TEST (UninstallJob, OverTheHelperATreeGoesWholeAndADanglingLinkGoesAsALink)
{
    const struct Scratch
    {
        ~Scratch()  { folder.deleteRecursively(); }
        juce::File folder = ScratchNames::uniqueInTemp ("job over helper");
    } scratch;
    const auto& folder = scratch.folder;
    std::vector<std::string> targets;

    for (auto name : { "MIDI Drivers/Pelk.plugin", "Extensions/adif.plugin",
                       "Extensions/advPelk.plugin", "MIDI Drivers/advPelk.plugin" })
        targets.push_back (folder.getChildFile (name).getFullPathName().toStdString());

    const auto target = [&] (std::size_t index) { return juce::File (targets[index]); };
    target (0).getChildFile ("Contents/Mac OS/driver binary").create();
    target (3).getChildFile ("Contents/Info.plist").create();
    const auto linkedTo = folder.getChildFile ("kept/missing target");
    linkedTo.getParentDirectory().createDirectory();
    target (1).getParentDirectory().createDirectory();
    ASSERT_EQ (::symlink (linkedTo.getFullPathName().toRawUTF8(), targets[1].c_str()), 0);

    {
        MainLayoutComponent host ({ targets, [&] { return TestAuthorization::createServices (true, targets); } });
        host.actionListenerCallback ("uninstall");
        auto& page = PageParts::completionPage (host);
        EXPECT_TRUE (MessageLoop::runUntil ([&] { return page.isVisible(); }, 6000));
        EXPECT_EQ (PageParts::messageBox (page).getText(), "The uninstallation was completed.");
    }

    EXPECT_FALSE (target (0).exists());
    EXPECT_FALSE (target (3).exists());
    EXPECT_TRUE (target (0).getParentDirectory().isDirectory());
    EXPECT_FALSE (target (1).isSymbolicLink());
    EXPECT_TRUE (linkedTo.getParentDirectory().isDirectory());
}
