#include <gtest/gtest.h>

#include "platform/mac/MacAuthorizationServices.h"
#include "support/ScratchFolder.h"
#include "support/StandInSecurity.h"
#include "uninstall/AuthorizationRequest.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace
{
    using Answer = StandInSecurity::Answer;
    using Rule = StandInSecurity::Rule;
    using Launch = StandInSecurity::Launch;
    using Kind = AuthorizationServices::PromptObstacle::Kind;

    /** A bundle to remove, and the helper that the system is handed: the test
        helper, allowed that bundle, started through a script that becomes it. */
    class MacAuthorization : public testing::Test
    {
    protected:
        void TearDown() override
        {
            reapLeftOvers();
        }

        /** True if every child that a launch made has been reaped by the code under
            test; any left, running or not, is ended and reaped here. */
        static bool reapLeftOvers()
        {
            bool noneLeft = true;

            for (auto child : StandInSecurity::getLaunchedChildren())
            {
                const auto left = ::waitpid (child, nullptr, WNOHANG);

                if (left == 0)
                {
                    ::kill (child, SIGKILL);
                    ::waitpid (child, nullptr, 0);
                }

                noneLeft = noneLeft && left < 0 && errno == ECHILD;
            }

            return noneLeft;
        }

        std::unique_ptr<AuthorizationServices> makeServices (const std::string& removeTool = "/bin/rm",
                                                             MacAuthorizationServices::Launcher launcher
                                                                 = MacAuthorizationServices::findLauncher())
        {
            const auto helper = scratch.file ("helper.sh");
            helper.replaceWithText ("#!/bin/sh\nexec '" PELK_TEST_HELPER_PATH "' --rm='" + juce::String (removeTool)
                                    + "' --lock='" + scratch.path ("lock") + "' '" + bundle.getFullPathName()
                                    + "' \"$@\"\n", false, false, "\n");
            helper.setExecutePermission (true);

            MacAuthorizationServices::Setup setup;
            setup.launcher = launcher;
            setup.helperPath = helper.getFullPathName().toStdString();
            setup.promptText = "Enter a password to remove the driver.";
            setup.iconPath = "/Bundle/Contents/Resources/PromptIcon.png";
            if (launcher == nullptr)
                setup.obstacle = MacAuthorizationServices::findObstacle (launcher, helper, {});
            return std::make_unique<MacAuthorizationServices> (std::move (setup));
        }

        /** rm -r, staying on one file system, on the bundle; the status of the launch. */
        CAuth::Status removeBundle (CAuth& auth, const char* removeTool = "/bin/rm")
        {
            auto path = bundle.getFullPathName().toStdString();
            char recursively[] = "-r", oneFileSystem[] = "--one-file-system";
            char* const arguments[] = { recursively, oneFileSystem, path.data(), nullptr };
            return auth.execute (removeTool, arguments);
        }

        static int countCalls (const std::string& start)
        {
            int count = 0;
            for (auto& call : StandInSecurity::getCalls())
                count += call.rfind (start, 0) == 0 ? 1 : 0;
            return count;
        }

        ScratchFolder scratch;
        juce::File bundle { scratch.makeBundle (0) };
    };
}

TEST_F (MacAuthorization, AGrantAsksOnceInOurOwnProcessThenTheHelperRemovesAndTheRightsAreDestroyed)
{
    StandInSecurity::reset ({ Answer::grant });

    {
        CAuth auth (makeServices());
        ASSERT_TRUE (auth.isAuthorized());
        EXPECT_EQ (auth.inspect (bundle.getFullPathName().toRawUTF8()).kind, PathState::Kind::present);
        EXPECT_EQ (removeBundle (auth), 0);

        // The helper replies once rm has ended: the bundle is gone when execute returns.
        EXPECT_FALSE (bundle.exists());
        EXPECT_EQ (auth.inspect (bundle.getFullPathName().toRawUTF8()).kind, PathState::Kind::absent);
    }

    const std::vector<std::string> expected {
        "AuthorizationCreate",
        "AuthorizationCopyRights system.privilege.admin prompt=Enter a password to remove the driver. "
            "icon=/Bundle/Contents/Resources/PromptIcon.png flags=19",
        "AuthorizationExecuteWithPrivileges " + scratch.path ("helper.sh")
            + " --asked-by=window",
        "AuthorizationFree 8"
    };
    EXPECT_EQ (StandInSecurity::getCalls(), expected);

    // The system names no child: the helper's greeting does, and that one is waited for.
    EXPECT_TRUE (reapLeftOvers());
}

TEST_F (MacAuthorization, ACancelLeavesNoChildAndASecondAttemptWaitsForItsOwnHelperAlone)
{
    StandInSecurity::reset ({ Answer::cancel, Answer::deny, Answer::noDesktop, Answer::grant });

    {
        CAuth cancelled (makeServices());
        EXPECT_FALSE (cancelled.isAuthorized());
        EXPECT_EQ (cancelled.findPromptObstacle().kind, AuthorizationServices::PromptObstacle::Kind::none);

        // Not an administrator, or a password wrong three times: a refusal as any other.
        CAuth denied (makeServices());
        EXPECT_FALSE (denied.isAuthorized());
        EXPECT_EQ (denied.findPromptObstacle().kind, AuthorizationServices::PromptObstacle::Kind::none);

        // Where there is no screen to ask on, the user is told so, not left with silence.
        CAuth nowhereToAsk (makeServices());
        EXPECT_FALSE (nowhereToAsk.isAuthorized());
        EXPECT_EQ (nowhereToAsk.findPromptObstacle().kind, AuthorizationServices::PromptObstacle::Kind::noDesktop);
    }

    EXPECT_EQ (countCalls ("AuthorizationExecuteWithPrivileges"), 0);
    EXPECT_EQ (countCalls ("AuthorizationFree"), 3);

    // Another child of ours that has ended: whoever waits for any child would take it.
    const auto other = ::fork();
    if (other == 0)
        ::_exit (7);
    std::this_thread::sleep_for (std::chrono::milliseconds (50));

    {
        CAuth second (makeServices());
        ASSERT_TRUE (second.isAuthorized());
        EXPECT_EQ (removeBundle (second), 0);
        EXPECT_FALSE (bundle.exists());
    }

    int status = 0;
    EXPECT_EQ (::waitpid (other, &status, WNOHANG), other);
    EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 7);
}

TEST_F (MacAuthorization, AWithdrawalWhileTheDialogIsHeldEndsAtOnceAndLaterRightsStartNothing)
{
    StandInSecurity::reset ({ Answer::hold });
    AuthorizationRequest request;
    std::unique_ptr<CAuth> answer;
    std::thread asker ([&] { answer = request.ask (makeServices()); });

    ASSERT_TRUE (StandInSecurity::waitForHeldDialog (5000));
    const auto withdrawn = std::chrono::steady_clock::now();
    request.withdraw();
    asker.join();

    EXPECT_LT (std::chrono::steady_clock::now() - withdrawn, std::chrono::seconds (1));
    EXPECT_EQ (answer, nullptr);

    // The user grants after the program has given up: the rights go back unused.
    StandInSecurity::answerHeldDialog (true);
    EXPECT_TRUE (StandInSecurity::waitForCall ("AuthorizationFree 8", 5000));
    EXPECT_EQ (countCalls ("AuthorizationExecuteWithPrivileges"), 0);
    EXPECT_TRUE (bundle.exists());
}

TEST_F (MacAuthorization, WhereTheRuleAsksEveryTimeTheLaunchAsksAndLeavesNoChildAndAfterAWithdrawalRunsNothing)
{
    // An administrator set the rule's timeout to 0: the pre-authorization passes
    // unasked, and the system asks as it starts the helper.
    StandInSecurity::reset ({ Answer::cancel, Answer::grant }, Rule::asksEveryTime);

    {
        CAuth cancelled (makeServices());
        EXPECT_FALSE (cancelled.isAuthorized());
        EXPECT_EQ (cancelled.findPromptObstacle().kind, Kind::none);
    }

    EXPECT_EQ (countCalls ("AuthorizationExecuteWithPrivileges"), 1);
    EXPECT_TRUE (reapLeftOvers());

    {
        CAuth granted (makeServices());
        ASSERT_TRUE (granted.isAuthorized());
        EXPECT_EQ (removeBundle (granted), 0);
        EXPECT_FALSE (bundle.exists());
    }

    // The system's dialog, which nobody can close, is granted after a withdrawal:
    // the helper that comes up runs nothing, not even a removal asked first, and
    // ends and is waited for.
    bundle = scratch.makeBundle (0);
    StandInSecurity::reset ({ Answer::hold }, Rule::asksEveryTime);
    auto services = makeServices();
    AuthorizationServices::Handle handle = nullptr;
    ASSERT_EQ (services->create (handle), 0);

    auto path = bundle.getFullPathName().toStdString();
    char recursively[] = "-r", oneFileSystem[] = "--one-file-system";
    char* const removal[] = { recursively, oneFileSystem, path.data(), nullptr };
    AuthorizationServices::Status launched = 0;
    std::thread asker ([&] { launched = services->launchPrivileged (handle, "/bin/rm", removal); });

    ASSERT_TRUE (StandInSecurity::waitForHeldDialog (5000));
    services->withdrawPrompt();
    StandInSecurity::answerHeldDialog (true);
    asker.join();
    services->releaseDestroyingRights (handle);

    EXPECT_NE (launched, 0);
    EXPECT_TRUE (bundle.exists());
    EXPECT_EQ (StandInSecurity::getLaunchedChildren().size(), 1u);
    EXPECT_TRUE (reapLeftOvers());
}

TEST_F (MacAuthorization, AHelperThatCannotStartAfterAGrantIsNamedAndLeavesNoChild)
{
    const auto notStarted = [this] (CAuth& auth)
    {
        EXPECT_FALSE (auth.isAuthorized());
        EXPECT_EQ (auth.findPromptObstacle().kind, Kind::helperNotStarted);
        EXPECT_EQ (auth.findPromptObstacle().path, scratch.path ("helper.sh"));
    };

    StandInSecurity::reset ({ Answer::grant }, Rule::keepsRights, Launch::environmentError);
    {
        CAuth auth (makeServices());
        notStarted (auth);
    }
    EXPECT_TRUE (reapLeftOvers());

    // The tool could not be executed.
    StandInSecurity::reset ({ Answer::grant });
    {
        auto services = makeServices();
        scratch.file ("helper.sh").setExecutePermission (false);
        CAuth auth (std::move (services));
        notStarted (auth);
    }
    EXPECT_TRUE (reapLeftOvers());
    EXPECT_TRUE (bundle.exists());
}

TEST_F (MacAuthorization, AHelperLaunchedWithNoPipeIsEndedSoThatARetryGoesAhead)
{
    // fdopen failed in the system's call: success, no pipe, and the helper holds the lock.
    StandInSecurity::reset ({ Answer::grant, Answer::grant }, Rule::keepsRights, Launch::noPipe);
    {
        CAuth auth (makeServices());
        EXPECT_FALSE (auth.isAuthorized());
        EXPECT_EQ (auth.findPromptObstacle().kind, Kind::helperNotStarted);
    }
    ASSERT_TRUE (reapLeftOvers());

    CAuth retry (makeServices());
    ASSERT_TRUE (retry.isAuthorized());
    EXPECT_EQ (removeBundle (retry), 0);
    EXPECT_FALSE (bundle.exists());
}

TEST_F (MacAuthorization, AToolThatFailsGivesItsStatusAsTheReason)
{
    StandInSecurity::reset ({ Answer::grant });
    CAuth auth (makeServices ("/bin/false"));
    ASSERT_TRUE (auth.isAuthorized());

    EXPECT_EQ (removeBundle (auth, "/bin/false"), 0);
    EXPECT_TRUE (bundle.exists());
    EXPECT_EQ (auth.describeLastLaunch(), "still present after removal; rm ended with status 1");
}

TEST_F (MacAuthorization, WithoutTheLaunchingCallNobodyIsAskedAndTheObstacleSaysWhy)
{
    // Looked up at run time, the stand-in's call is found as the system's would be.
    EXPECT_NE (MacAuthorizationServices::findLauncher(), nullptr);

    StandInSecurity::reset ({ Answer::grant });
    CAuth auth (makeServices ("/bin/rm", nullptr));

    EXPECT_FALSE (auth.isAuthorized());
    EXPECT_EQ (auth.findPromptObstacle().kind, AuthorizationServices::PromptObstacle::Kind::systemCallMissing);
    EXPECT_EQ (auth.findPromptObstacle().path, "AuthorizationExecuteWithPrivileges");
    EXPECT_EQ (countCalls ("AuthorizationCopyRights"), 0);
    EXPECT_TRUE (bundle.exists());
}
