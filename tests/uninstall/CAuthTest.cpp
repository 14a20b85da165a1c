#include <gtest/gtest.h>

#include "support/FakeAuthorizationServices.h"
#include "uninstall/CAuth.h"

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
