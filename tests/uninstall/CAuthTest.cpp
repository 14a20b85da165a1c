#include <gtest/gtest.h>

#include "platform/HelperLocation.h"
#include "platform/LinuxAuthorizationServices.h"
#include "support/FakeAuthorizationServices.h"
#include "support/ScratchNames.h"
#include "support/TestAuthorization.h"
#include "uninstall/AuthorizationRequest.h"

#include <cerrno>
#include <csignal>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{
    using Fake = FakeAuthorizationServices;
    using Command = Fake::Command;

    std::unique_ptr<CAuth> makeAuth (std::shared_ptr<Fake::Log> log, Fake::Answers answers = Fake::Answers())
    {
        return std::make_unique<CAuth> (std::make_unique<Fake> (log, answers));
    }

    char* const noArguments[] = { nullptr };
}

TEST (CAuth, DismissedPromptLeavesItUnauthorizedAndRunsNothing)
{
    auto log = std::make_shared<Fake::Log>();
    Fake::Answers refuse;
    refuse.grant = false;
    auto auth = makeAuth (log, refuse);

    EXPECT_FALSE (auth->isAuthorized());
    EXPECT_EQ (log->prompts, 1);
    EXPECT_EQ (log->waits, 0);
    EXPECT_NE (auth->execute ("/bin/echo", noArguments), 0);
    EXPECT_TRUE (log->toolsRun.empty());

    // The refused handle is released as well: nothing is left behind.
    auth = nullptr;
    EXPECT_EQ (log->releases, 1);
}

TEST (CAuth, FailedCreateAsksNobodyAndReleasesNothing)
{
    auto log = std::make_shared<Fake::Log>();
    Fake::Answers failCreate;
    failCreate.createStatus = -60008;
    auto auth = makeAuth (log, failCreate);

    EXPECT_FALSE (auth->isAuthorized());
    EXPECT_EQ (log->prompts, 0);

    auth = nullptr;
    EXPECT_EQ (log->releases, 0);
}

TEST (CAuth, OnePromptServesEveryLaunchAndEachIsWaitedFor)
{
    auto log = std::make_shared<Fake::Log>();
    auto auth = makeAuth (log);
    ASSERT_TRUE (auth->isAuthorized());

    char removeFlag[] = "-r", path[] = "/scratch/a b";
    char* const removal[] = { removeFlag, path, nullptr };

    for (int i = 0; i < 3; ++i)
        EXPECT_EQ (auth->execute ("/bin/rm", removal), 0);

    EXPECT_EQ (log->prompts, 1);
    EXPECT_EQ (log->waits, 4);
    ASSERT_EQ (log->toolsRun.size(), 4u);
    EXPECT_EQ (log->toolsRun[0], Command { "/bin/echo" });
    EXPECT_EQ (log->toolsRun[3], (Command { "/bin/rm", "-r", "/scratch/a b" }));
}

TEST (CAuth, FailedLaunchIsReportedAndNotWaitedFor)
{
    auto log = std::make_shared<Fake::Log>();
    Fake::Answers answers;
    answers.runTool = [] (const Command& command) { return command[0] == "/bin/rm" ? 7 : 0; };
    auto auth = makeAuth (log, answers);

    EXPECT_EQ (auth->execute ("/bin/rm", noArguments), 7);
    EXPECT_EQ (log->waits, 1);
}

TEST (CAuth, DestroyingAnAuthorizedObjectReleasesItsHandleOnce)
{
    auto log = std::make_shared<Fake::Log>();
    auto auth = makeAuth (log);
    ASSERT_TRUE (auth->isAuthorized());
    EXPECT_EQ (log->releases, 0);

    auth = nullptr;
    EXPECT_EQ (log->releases, 1);
    EXPECT_EQ (log->releasedHandle, log->createdHandle);
}

TEST (CAuth, OverTheHelperAToolThatFailsStillLaunchesWithStatusZero)
{
    auto bundle = juce::File::createTempFile ("bundle");
    ASSERT_TRUE (bundle.create());
    auto path = bundle.getFullPathName().toStdString();
    CAuth auth (std::make_unique<LinuxAuthorizationServices> (
        TestAuthorization::grantingCommand ({ path }, "/bin/echo", "/bin/false")));
    ASSERT_TRUE (auth.isAuthorized());

    char removeFlag[] = "-r", oneFileSystem[] = "--one-file-system";
    char* const removal[] = { removeFlag, oneFileSystem, path.data(), nullptr };

    // The tool exits with an error here; only the launch is reported, and why the bundle stays.
    EXPECT_EQ (auth.execute ("/bin/false", removal), 0);
    EXPECT_EQ (auth.describeLastLaunch(), "still present after removal; rm ended with status 1");
    bundle.deleteFile();
}

TEST (CAuth, OverTheHelperARefusedPromptOrMissingLauncherGivesNoRights)
{
    auto refused = TestAuthorization::create (false, {});
    EXPECT_FALSE (refused->isAuthorized());

    CAuth noLauncher (std::make_unique<LinuxAuthorizationServices> (
        std::vector<std::string> { "/nonexistent/pkexec", PELK_TEST_HELPER_PATH }));
    EXPECT_FALSE (noLauncher.isAuthorized());
}

TEST (CAuth, OverTheHelperAWithdrawnPromptEndsItsLauncherAndAsksNoMore)
{
    // Stands in for pkexec while it asks: notes its pid, then waits for ever.
    const auto pidFile = ScratchNames::uniqueInTemp ("launcher pid");
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
    EXPECT_LT (juce::Time::getMillisecondCounterHiRes() - start, 1000.0);

    ASSERT_NE (auth, nullptr);
    EXPECT_FALSE (auth->isAuthorized());

    // Ended and reaped: not even a zombie is left.
    EXPECT_EQ (::kill ((pid_t) pidFile.loadFileAsString().getIntValue(), 0), -1);
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

    const auto locked = ScratchNames::uniqueInTemp ("locked");
    const auto bundle = locked.getChildFile ("Pelk.plugin");
    const auto absent = locked.getChildFile ("absent.plugin");
    bundle.createDirectory();
    ::chmod (locked.getFullPathName().toRawUTF8(), 0700);

    auto auth = TestAuthorization::create (true, { bundle.getFullPathName().toStdString(),
                                                   absent.getFullPathName().toStdString() });
    ASSERT_TRUE (auth->isAuthorized());

    // This thread looks into folders as nobody; the helper, as root.
    const auto root = ::setfsuid (65534);
    struct stat info {};
    EXPECT_NE (::lstat (bundle.getFullPathName().toRawUTF8(), &info), 0);
    EXPECT_TRUE (auth->exists (bundle.getFullPathName().toRawUTF8()));
    EXPECT_FALSE (auth->exists (absent.getFullPathName().toRawUTF8()));
    ::setfsuid ((uid_t) root);

    // A path the helper may not remove is not its to answer: the user's view again.
    EXPECT_TRUE (auth->exists (locked.getFullPathName().toRawUTF8()));
    locked.deleteRecursively();
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
