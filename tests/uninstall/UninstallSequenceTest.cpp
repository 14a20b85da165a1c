#include <gtest/gtest.h>

#include "support/FakeAuthorizationServices.h"
#include "support/ScratchNames.h"
#include "uninstall/UninstallSequence.h"

namespace
{
    using Fake = FakeAuthorizationServices;
    using Caller = UninstallSequence::Caller;
    using Kind = UninstallSequence::Outcome::Kind;

    /** Two scratch paths in place of the driver's bundles; the second present when asked for. */
    struct Scratch
    {
        explicit Scratch (bool secondPresent)
        {
            folder.createDirectory();

            if (secondPresent)
                folder.getChildFile ("second.plugin").createDirectory();
        }

        ~Scratch()  { folder.deleteRecursively(); }

        UninstallSetup setup (std::shared_ptr<Fake::Log> log, Fake::Answers answers) const
        {
            return { { folder.getChildFile ("first.plugin").getFullPathName().toStdString(),
                       folder.getChildFile ("second.plugin").getFullPathName().toStdString() },
                     [log, answers] { return std::make_unique<Fake> (log, answers); } };
        }

        juce::File folder { ScratchNames::uniqueInTemp ("sequence test") };
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
        const auto log = std::make_shared<Fake::Log>();
        const auto outcome = run (scratch.setup (log, noLauncher), caller);

        EXPECT_EQ (outcome.kind, Kind::refused);
        EXPECT_EQ (outcome.obstacle.path, "/usr/bin/pkexec");
        EXPECT_EQ (log->creates, 0);
        ASSERT_EQ (outcome.bundles.size(), 2u);
        EXPECT_EQ (outcome.bundles[1].state, DriverRemoval::State::present);
    }
}

TEST (UninstallSequence, OnACleanMachineOnlyTheWindowAsks)
{
    const Scratch scratch (false);
    const auto commandLineLog = std::make_shared<Fake::Log>();
    const auto windowLog = std::make_shared<Fake::Log>();

    const auto fromCommandLine = run (scratch.setup (commandLineLog, {}), Caller::commandLine);
    EXPECT_EQ (fromCommandLine.kind, Kind::nothingToRemove);
    EXPECT_EQ (commandLineLog->prompts, 0);

    const auto fromWindow = run (scratch.setup (windowLog, {}), Caller::window);
    EXPECT_EQ (fromWindow.kind, Kind::removed);
    EXPECT_EQ (windowLog->prompts, 1);
    EXPECT_TRUE (windowLog->toolsRun.size() == 1 && windowLog->toolsRun[0][0] == "/bin/echo");
}
