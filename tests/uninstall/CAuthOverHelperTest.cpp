#include <gtest/gtest.h>

#include "platform/HelperLocation.h"
#include "platform/linux/LinuxAuthorizationServices.h"
#include "support/ScratchFolder.h"
#include "support/TestAuthorization.h"
#include "uninstall/AuthorizationRequest.h"
#include "uninstall/DriverRemoval.h"

#include <cerrno>
#include <csignal>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

TEST (CAuth, OverTheHelperAToolThatFailsStillLaunchesWithStatusZero)
{
    const ScratchFolder scratch;
    auto path = scratch.makeFile ("bundle");
    CAuth auth (std::make_unique<LinuxAuthorizationServices> (
        TestAuthorization::grantingCommand ({ path }, "/bin/echo", "/bin/false")));
    ASSERT_TRUE (auth.isAuthorized());

    char removeFlag[] = "-r", oneFileSystem[] = "--one-file-system";
    char* const removal[] = { removeFlag, oneFileSystem, path.data(), nullptr };

    // The tool exits with an error here; only the launch is reported, and why the bundle stays.
    EXPECT_EQ (auth.execute ("/bin/false", removal), 0);
    EXPECT_EQ (auth.describeLastLaunch(), "still present after removal; rm ended with status 1");
}

TEST (CAuth, OverTheHelperARefusedPromptOrMissingLauncherGivesNoRights)
{
    using Kind = AuthorizationServices::PromptObstacle::Kind;

    auto refused = TestAuthorization::create (false, {});
    EXPECT_FALSE (refused->isAuthorized());
    EXPECT_EQ (refused->findPromptObstacle().kind, Kind::none);

    // pkexec's status when it found no agent to ask the user.
    CAuth nobodyToAsk (std::make_unique<LinuxAuthorizationServices> (TestAuthorization::agentlessCommand()));
    EXPECT_FALSE (nobodyToAsk.isAuthorized());
    EXPECT_EQ (nobodyToAsk.findPromptObstacle().kind, Kind::promptUnavailable);

    // The same status after a wrong password: the user was asked, and it is a "no".
    CAuth wrongPassword (std::make_unique<LinuxAuthorizationServices> (TestAuthorization::failedAuthenticationCommand()));
    EXPECT_FALSE (wrongPassword.isAuthorized());
    EXPECT_EQ (wrongPassword.findPromptObstacle().kind, Kind::none);

    CAuth noLauncher (std::make_unique<LinuxAuthorizationServices> (
        std::vector<std::string> { "/nonexistent/pkexec", PELK_TEST_HELPER_PATH }));
    EXPECT_FALSE (noLauncher.isAuthorized());
}

TEST (CAuth, OverTheHelperAWithdrawnPromptEndsItsLauncherAndAsksNoMore)
{
    // Stands in for pkexec while it asks: notes its pid, then waits for ever.
    const ScratchFolder scratch;
    const auto pidFile = scratch.file ("launcher pid");
    const auto launcher = [&]
    {
        return std::make_unique<LinuxAuthorizationServices> (std::vector<std::string> {
            "/bin/sh", "-c", "echo $$ >\"$0\"; exec sleep 60", pidFile.getFullPathName().toStdString() });
    };

    AuthorizationRequest request;
    std::unique_ptr<CAuth> auth;
    std::thread asker ([&] { auth = request.ask (launcher()); });

    while (pidFile.loadFileAsString().getIntValue() == 0)
        juce::Thread::sleep (5);

    const auto start = juce::Time::getMillisecondCounterHiRes();
    request.withdraw();
    asker.join();
    EXPECT_EQ (auth, nullptr);

    // Ended and reaped at once: not even a zombie is left.
    const auto pid = (pid_t) pidFile.loadFileAsString().getIntValue();
    while (::kill (pid, 0) == 0 && juce::Time::getMillisecondCounterHiRes() - start < 1000.0)
        juce::Thread::sleep (5);

    EXPECT_EQ (::kill (pid, 0), -1);
    EXPECT_EQ (errno, ESRCH);
    pidFile.deleteFile();

    EXPECT_EQ (request.ask (launcher()), nullptr);

    // Services withdrawn before their first launch never start the launcher.
    auto services = launcher();
    services->withdrawPrompt();
    EXPECT_FALSE (CAuth (std::move (services)).isAuthorized());
    EXPECT_FALSE (pidFile.exists());
}

TEST (CAuth, OverTheHelperExistenceIsSeenAsRootWhereTheUserCannotLook)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to run the helper as root beside a user who cannot look";

    const ScratchFolder scratch;
    const auto locked = scratch.getFolder();
    const auto bundle = scratch.makeBundle (0);
    const auto absent = scratch.bundle (1);
    ::chmod (locked.getFullPathName().toRawUTF8(), 0700);

    auto auth = TestAuthorization::create (true, { bundle.getFullPathName().toStdString(),
                                                   absent.getFullPathName().toStdString() });
    ASSERT_TRUE (auth->isAuthorized());

    // This thread looks into folders as nobody; the helper, as root.
    const auto root = ::setfsuid (65534);
    struct stat info {};
    EXPECT_NE (::lstat (bundle.getFullPathName().toRawUTF8(), &info), 0);
    EXPECT_EQ (auth->inspect (bundle.getFullPathName().toRawUTF8()).kind, PathState::Kind::present);
    EXPECT_EQ (auth->inspect (absent.getFullPathName().toRawUTF8()).kind, PathState::Kind::absent);
    ::setfsuid ((uid_t) root);

    // A path the helper may not remove is not its to answer: the user's view again.
    EXPECT_EQ (auth->inspect (locked.getFullPathName().toRawUTF8()).kind, PathState::Kind::present);
}

namespace
{
    /** Kills our child that runs the test helper, as an out-of-memory killer might. */
    void killChildHelper()
    {
        for (auto& entry : juce::File ("/proc").findChildFiles (juce::File::findDirectories, false))
        {
            juce::StringArray fields;
            fields.addTokens (entry.getChildFile ("stat").loadFileAsString().fromLastOccurrenceOf (")", false, false), " ", "");
            fields.removeEmptyStrings();

            if (fields.size() > 1 && fields[1].getIntValue() == ::getpid()
                 && entry.getChildFile ("exe").getLinkedTarget().getFileName().endsWith ("test-helper"))
                ::kill (entry.getFileName().getIntValue(), SIGKILL);
        }
    }
}

TEST (CAuth, OverTheHelperAHelperThatDiesMidRunLeavesWhatItCouldNotSeeRemaining)
{
    const ScratchFolder scratch;
    scratch.makeBundle (0);
    scratch.makeBundle (1);

    const auto targets = scratch.bundlePaths (2);
    auto auth = TestAuthorization::create (true, targets);
    ASSERT_TRUE (auth->isAuthorized());

    // Killed once the first bundle is gone, before the second removal is sent.
    int removals = 0;
    const auto bundles = DriverRemoval::removeExisting (targets, DriverRemoval::throughAuthorization (*auth), [&]
    {
        if (removals++ == 1)
            killChildHelper();

        return true;
    });

    ASSERT_EQ (bundles.size(), 2u);
    EXPECT_EQ (bundles[0].state, DriverRemoval::State::removed);
    EXPECT_EQ (bundles[1].state, DriverRemoval::State::remains);
    EXPECT_EQ (bundles[1].reason, "the privileged helper has ended");
    EXPECT_EQ (auth->inspect (targets[1].c_str()).kind, PathState::Kind::unknown);
}

TEST (CAuth, ThePromptIsForTheHelperBesideTheProgramAndOnlyATrustedOne)
{
    auto program = juce::File ("/proc/self/exe").getLinkedTarget();

    EXPECT_EQ (HelperLocation::find(),
               program.getParentDirectory().getParentDirectory()
                   .getChildFile ("libexec/pelk-usb-midi-driver-uninstaller-helper"));

    // No helper sits beside the test program, so there is nothing to hand pkexec,
    // and the prompt says why it cannot be shown.
    ASSERT_FALSE (HelperLocation::find().exists());
    EXPECT_TRUE (LinuxAuthorizationServices::getPkexecCommand().empty());

    const auto obstacle = AuthorizationServices::createForPlatform()->findPromptObstacle();
    EXPECT_EQ (obstacle.kind, AuthorizationServices::PromptObstacle::Kind::helperMissing);
    EXPECT_EQ (obstacle.path, HelperLocation::find().getFullPathName().toStdString());

    CAuth auth;
    EXPECT_FALSE (auth.isAuthorized());
}

TEST (CAuth, TheBuiltHelperSitsWhereTheProgramLooksForIt)
{
    const juce::File program (PELK_PRODUCT_PROGRAM_PATH);

    EXPECT_EQ (program.getParentDirectory().getSiblingFile ("libexec").getChildFile (HelperLocation::helperName),
               juce::File (PELK_PRODUCT_HELPER_PATH));
    EXPECT_TRUE (juce::File (PELK_PRODUCT_HELPER_PATH).existsAsFile());
}
