#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "app/CommandLineReport.h"
#include "helper/RemovalLock.h"
#include "platform/RootAuthorizationServices.h"
#include "support/FakeAuthorizationServices.h"
#include "support/ScratchFolder.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <future>
#include <sys/stat.h>
#include <sstream>
#include <unistd.h>

namespace
{
    using Action = CommandLine::Action;

    using Arguments = std::vector<std::string>;

    CommandLine parse (const Arguments& arguments)
    {
        return CommandLine (arguments);
    }

    /** Two of the driver's bundles in a scratch folder; the second is there. A prompt that
        grants at once; run as root, root's own rights over them. */
    struct ScratchBundles : ScratchFolder
    {
        ScratchBundles()  { makeBundle (1); }

        UninstallSetup setup (const std::string& lockFile = {}) const
        {
            HelperRequests::AllowList allowed;
            allowed.targets = bundlePaths (2);

            return { allowed.targets, []
            {
                return std::make_unique<FakeAuthorizationServices> (std::make_shared<FakeAuthorizationServices::Log>(),
                                                                    FakeAuthorizationServices::Answers());
            },
            [allowed, lockFile] { return std::make_unique<RootAuthorizationServices> (allowed, lockFile); } };
        }
    };

    struct Outcome
    {
        int status;
        std::string out, err;
    };

    Outcome run (const Arguments& arguments, const UninstallSetup& setup)
    {
        std::ostringstream out, err;
        const auto status = parse (arguments).run (setup, out, err);
        return { status, out.str(), err.str() };
    }

    /** The states of the bundles in a JSON report, read back as JSON, in order. */
    juce::StringArray statesIn (const juce::var& report)
    {
        juce::StringArray states;

        if (auto* bundles = report["bundles"].getArray())
            for (auto& bundle : *bundles)
                states.add (bundle["state"].toString());

        return states;
    }
}

TEST (CommandLine, TakesOneActionInAnyOrderWithJsonWhereItGoes)
{
    EXPECT_EQ (parse ({}).getAction(), Action::openWindow);
    EXPECT_EQ (parse ({ "--version" }).getAction(), Action::showVersion);
    EXPECT_EQ (parse ({ "--uninstall", "--" }).getAction(), Action::uninstall);

    const ScratchBundles scratch;
    EXPECT_EQ (parse ({ "--json", "--list" }).getAction(), Action::list);
    EXPECT_EQ (run ({ "--json", "--list" }, scratch.setup()).out.front(), '{');
    EXPECT_EQ (run ({ "--list" }, scratch.setup()).out.front(), 'a');

    for (auto& misuse : std::vector<Arguments> { { "--bogus" }, { "--list", "--uninstall" }, { "--help", "--version" },
                                                 { "--uninstall", "--help" }, { "--json" }, { "--version", "--json" },
                                                 { "--uninstall=yes" }, { "uninstall" }, { "-u" }, { "" }, { "--list", "" },
                                                 { "--", "--list" }, { " --list" }, { "'--list'" } })
    {
        EXPECT_EQ (parse (misuse).getAction(), Action::misuse) << testing::PrintToString (misuse);
        EXPECT_EQ (run (misuse, scratch.setup()).status, CommandLine::misused);
    }
}

TEST (CommandLine, VersionNamesTheProgramAndTheFrameworkItWasBuiltWith)
{
    EXPECT_EQ (run ({ "--version" }, ScratchBundles().setup()).out,
               "pelk-usb-midi-driver-uninstaller 3.0.0\nbuilt with JUCE v8.0.12\n");
}

TEST (CommandLine, MisuseIsOneLineOnStandardErrorThatEchoesTheArgumentAsTyped)
{
    const auto outcome = run ({ "--list", "--frobnicate" }, ScratchBundles().setup());

    EXPECT_EQ (outcome.status, 2);
    EXPECT_TRUE (outcome.out.empty());
    EXPECT_EQ (outcome.err, "pelk-usb-midi-driver-uninstaller: unknown option '--frobnicate'; "
                            "see 'pelk-usb-midi-driver-uninstaller --help'\n");

    // As the UTF-8 it was; what a terminal would act on, and what is not UTF-8, escaped.
    for (auto& [typed, echoed] : std::vector<std::pair<std::string, std::string>> {
             { "--ｌｉｓｔ", "'--ｌｉｓｔ'" },
             { "-\x1b[2J\n\xc2\x9b\xff\xe0\x80\x80\\é", "'-\\x1B[2J\\x0A\\xC2\\x9B\\xFF\\xE0\\x80\\x80\\\\é'" } })
        EXPECT_NE (run ({ typed }, ScratchBundles().setup()).err.find (": unknown option " + echoed + "; "), std::string::npos) << echoed;

    // Hostile input costs nothing: the echo is linear in the argument, four times the
    // bytes in about four times the time (a quadratic echo takes sixteen), and an
    // optimised build refuses 128 KiB in well under 100 ms. Counted in this thread's
    // processor time, which a loaded machine does not stretch as it does the clock's.
    const auto threadTime = []
    {
        timespec now {};
        clock_gettime (CLOCK_THREAD_CPUTIME_ID, &now);
        return std::chrono::seconds (now.tv_sec) + std::chrono::nanoseconds (now.tv_nsec);
    };

    const auto fastestRefusal = [&threadTime] (std::size_t bytes)
    {
        const auto hostile = "-" + std::string (bytes, '\xff');
        auto fastest = std::chrono::nanoseconds::max();

        for (int run = 0; run < 5; ++run)
        {
            const auto started = threadTime();
            EXPECT_EQ (CommandLine ({ hostile }).getAction(), Action::misuse);
            fastest = std::min (fastest, threadTime() - started);
        }

        return fastest;
    };

    const auto quarter = fastestRefusal (32 * 1024), whole = fastestRefusal (128 * 1024);
    EXPECT_LT (whole, 10 * quarter) << whole.count() << " ns against " << quarter.count() << " ns";
   #if defined (__OPTIMIZE__)
    EXPECT_LT (whole, std::chrono::milliseconds (100)) << whole.count() << " ns";
   #endif
}

TEST (CommandLine, ABundleThatRemainsCarriesItsReasonInLinesAndJson)
{
    using DriverRemoval::State;
    const std::vector<DriverRemoval::Bundle> bundles { { "/a b", State::removed },
                                                       { "/c", State::remains, "a file system is mounted at /c/d" } };

    EXPECT_EQ (CommandLineReport::toLines (bundles), "removed\t/a b\nremains\t/c\ta file system is mounted at /c/d\n");

    const auto report = juce::JSON::parse (CommandLineReport::toJson (bundles));
    EXPECT_FALSE (report["bundles"][0].hasProperty ("reason"));
    EXPECT_EQ (report["bundles"][1]["reason"].toString(), "a file system is mounted at /c/d");
    EXPECT_EQ (CommandLineReport::exitStatus (bundles), 1);
}

TEST (CommandLine, UninstallReportsChangedOnceThenUnchanged)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "removes as root itself only when run as root";

    ScratchBundles scratch;
    const auto setup = scratch.setup();

    const auto listed = run ({ "--list" }, setup);
    EXPECT_EQ (listed.status, 0);
    EXPECT_EQ (listed.out, "absent\t" + scratch.bundle (0).getFullPathName().toStdString() + "\n"
                         + "present\t" + scratch.bundle (1).getFullPathName().toStdString() + "\n");
    ASSERT_TRUE (scratch.bundle (1).exists());

    // A script waits for nobody: no pause after removing, as the window makes.
    const auto started = std::chrono::steady_clock::now();
    const auto first = run ({ "--uninstall", "--json" }, setup);
    EXPECT_LT (std::chrono::steady_clock::now() - started, std::chrono::seconds (1));
    const auto report = juce::JSON::parse (juce::String (first.out));
    EXPECT_EQ (first.status, 0);
    EXPECT_EQ (report["version"].toString(), "3.0.0");
    EXPECT_TRUE (report["changed"].isBool() && (bool) report["changed"]);
    EXPECT_EQ (statesIn (report), juce::StringArray ({ "absent", "removed" }));
    EXPECT_EQ (report["bundles"][1]["path"].toString(), scratch.bundle (1).getFullPathName());
    EXPECT_FALSE (scratch.bundle (1).exists());

    const auto second = juce::JSON::parse (juce::String (run ({ "--uninstall", "--json" }, setup).out));
    EXPECT_TRUE (second["changed"].isBool() && ! (bool) second["changed"]);
    EXPECT_EQ (statesIn (second), juce::StringArray ({ "absent", "absent" }));

    // A report that cannot be written says 3 also when a bundle remains.
    scratch.makeBundle (1);
    ::chmod (scratch.getFolder().getFullPathName().toRawUTF8(), 0777);
    std::ostream closed (nullptr);
    std::ostringstream err;
    EXPECT_EQ (parse ({ "--uninstall" }).run (setup, closed, err), CommandLine::reportUnwritten);
    EXPECT_TRUE (scratch.bundle (1).exists());
}

TEST (CommandLine, RunAsRootItWaitsForTheRemovalThatHoldsTheLock)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "removes as root itself only when run as root";

    ScratchBundles scratch;
    const auto lockFile = scratch.path ("lock");
    const auto setup = scratch.setup (lockFile);

    auto otherRemoval = std::make_unique<RemovalLock> (lockFile);
    testing::internal::CaptureStderr();
    auto ours = std::async (std::launch::async, [&setup] { return run ({ "--uninstall" }, setup); });

    // It says why it waits once a second has passed, and not before.
    EXPECT_EQ (ours.wait_for (std::chrono::milliseconds (1300)), std::future_status::timeout);
    EXPECT_TRUE (scratch.bundle (1).exists());

    otherRemoval.reset();
    EXPECT_EQ (ours.get().status, 0);
    EXPECT_FALSE (scratch.bundle (1).exists());
    EXPECT_EQ (testing::internal::GetCapturedStderr(),
               "pelk-usb-midi-driver-uninstaller: waiting for another removal of the driver to end (" + lockFile + ")\n");
}
