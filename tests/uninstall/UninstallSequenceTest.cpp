#include <gtest/gtest.h>

#include "support/FakeAuthorizationServices.h"
#include "support/ScratchFolder.h"
#include "uninstall/UninstallSequence.h"

namespace
{
    using Fake = FakeAuthorizationServices;
    using Caller = UninstallSequence::Caller;
    using Kind = UninstallSequence::Outcome::Kind;

    /** Two of the driver's bundles in a scratch folder, over fakes that share the log. */
    struct Scratch : ScratchFolder
    {
        explicit Scratch (bool secondPresent)
        {
            if (secondPresent)
                makeBundle (1);
        }

        UninstallSetup setup (Fake::Answers answers = Fake::removingFiles()) const
        {
            return { bundlePaths (2), [log = log, answers] { return std::make_unique<Fake> (log, answers); } };
        }

        std::string target (std::size_t index) const  { return bundlePaths (2)[index]; }

        std::shared_ptr<Fake::Log> log = std::make_shared<Fake::Log>();
    };

    UninstallSequence::Outcome run (const UninstallSetup& setup, Caller caller)
    {
        UninstallSequence sequence (setup, caller);
        std::unique_ptr<CAuth> auth;
        return sequence.run (auth, [] { return true; });
    }
}

TEST (UninstallSequence, NobodyIsAskedWhoCouldNeverBeAskedFromEitherCaller)
{
    const Scratch scratch (true);
    Fake::Answers noLauncher;
    noLauncher.obstacle = { Fake::PromptObstacle::Kind::launcherMissing, "/usr/bin/pkexec" };

    for (auto caller : { Caller::window, Caller::commandLine })
    {
        const auto outcome = run (scratch.setup (noLauncher), caller);

        EXPECT_EQ (outcome.kind, Kind::refused);
        EXPECT_EQ (outcome.obstacle.path, "/usr/bin/pkexec");
        EXPECT_EQ (scratch.log->creates, 0);
        ASSERT_EQ (outcome.bundles.size(), 2u);
        EXPECT_EQ (outcome.bundles[1].state, DriverRemoval::State::present);
    }
}

TEST (UninstallSequence, OnACleanMachineOnlyTheWindowAsks)
{
    const Scratch scratch (false);

    EXPECT_EQ (run (scratch.setup(), Caller::commandLine).kind, Kind::nothingToRemove);
    EXPECT_EQ (scratch.log->prompts, 0);

    EXPECT_EQ (run (scratch.setup(), Caller::window).kind, Kind::removed);
    EXPECT_EQ (scratch.log->prompts, 1);
}

TEST (UninstallSequence, RemovesOnlyTheBundlesThatExistAndLooksAgain)
{
    const Scratch scratch (true);
    const auto outcome = run (scratch.setup(), Caller::commandLine);

    EXPECT_EQ (scratch.log->removals(), (std::vector<Fake::Command> { { "/bin/rm", "-r", "--one-file-system", scratch.target (1) } }));
    ASSERT_EQ (outcome.bundles.size(), 2u);
    EXPECT_EQ (outcome.bundles[0].state, DriverRemoval::State::absent);
    EXPECT_EQ (outcome.bundles[1].state, DriverRemoval::State::removed);
}

TEST (UninstallSequence, ExistenceIsAskedWithTheRightsThatRemove)
{
    // What the user's own view cannot show, and what it shows but the rights do not.
    const Scratch scratch (true);
    auto answers = Fake::removingFiles();
    answers.inspectPath = [first = scratch.target (0)] (const std::string& path)
    {
        return PathState { path == first ? PathState::Kind::present : PathState::Kind::absent };
    };

    const auto outcome = run (scratch.setup (answers), Caller::commandLine);

    EXPECT_EQ (scratch.log->removals(), (std::vector<Fake::Command> { { "/bin/rm", "-r", "--one-file-system", scratch.target (0) } }));
    EXPECT_EQ (outcome.bundles[0].state, DriverRemoval::State::remains);
    EXPECT_EQ (outcome.bundles[1].state, DriverRemoval::State::absent);
}
