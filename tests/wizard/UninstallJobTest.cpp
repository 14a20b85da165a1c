#include <gtest/gtest.h>

#include "support/FakeAuthorizationServices.h"
#include "support/MessageLoop.h"
#include "support/PageParts.h"
#include "support/ScratchFolder.h"

#include <atomic>

namespace
{
    using Fake = FakeAuthorizationServices;
    using Command = Fake::Command;
    using namespace PageParts;

    /** The pages going back once the job has shown its outcome: the completion page, once. */
    const juce::StringArray outcomeShown (WizardVocabulary::thankYouPage, WizardVocabulary::startPage);

    /** Watches a host from outside: each fade-in of its completion page is the
        arrival of "finished". */
    class CompletionWatch : private juce::ComponentListener
    {
    public:
        explicit CompletionWatch (MainLayoutComponent& host)
            : page (&completionPage (host))
        {
            page->addComponentListener (this);
        }

        ~CompletionWatch() override
        {
            if (page != nullptr)
                page->removeComponentListener (this);
        }

        bool runUntilShown() const
        {
            return MessageLoop::runUntil ([this] { return shownAt > 0; }, 6000);
        }

        bool shownOnMessageThread = false;
        double shownAt = 0;

    private:
        void componentVisibilityChanged (juce::Component& component) override
        {
            if (! component.isVisible())
                return;

            shownOnMessageThread = juce::MessageManager::getInstance()->isThisTheMessageThread();
            shownAt = juce::Time::getMillisecondCounterHiRes();
        }

        juce::Component::SafePointer<juce::Component> page;
    };

    /** A setup over fake services that share one log and count the objects made, for
        bundles in a scratch folder. */
    struct FakeSetup
    {
        explicit FakeSetup (Fake::Answers answersToGive = Fake::Answers())
            : answers (std::move (answersToGive))
        {
            setup.targets = scratch.bundlePaths();
            setup.createServices = [this]
            {
                ++objectsMade;
                return std::make_unique<Fake> (log, answers);
            };
        }

        /** A prompt that stays open until the test answers it. */
        static Fake::Answers held (std::shared_ptr<Fake::HeldPrompt> prompt)
        {
            auto answers = Fake::removingFiles();
            answers.heldPrompt = std::move (prompt);
            return answers;
        }

        ScratchFolder scratch;
        std::shared_ptr<Fake::Log> log = std::make_shared<Fake::Log>();
        Fake::Answers answers;
        std::atomic<int> objectsMade { 0 };
        UninstallSetup setup;
    };
}

TEST (UninstallJob, WithNothingToRemoveReportsFinishedOnceAboutTwoSecondsLater)
{
    FakeSetup fake;
    MainLayoutComponent host (fake.setup);
    CompletionWatch watch (host);

    const auto start = juce::Time::getMillisecondCounterHiRes();
    host.actionListenerCallback (WizardVocabulary::uninstall);
    EXPECT_TRUE (host.isThreadRunning());
    EXPECT_EQ (host.getThreadName(), "pelk usb midi driver uninstallation");

    ASSERT_TRUE (watch.runUntilShown());
    EXPECT_TRUE (watch.shownOnMessageThread);
    EXPECT_NEAR (watch.shownAt - start, 2000.0, 400.0);

    // Asked for off the message thread; the job looks at the framework's default priority.
    EXPECT_EQ (fake.log->prompts, 1);
    EXPECT_FALSE (fake.log->promptedOnMessageThread);
    EXPECT_EQ (fake.log->lookingThreadPriority, juce::Thread::Priority::normal);
    EXPECT_EQ (fake.log->releases, 1);
    EXPECT_FALSE (fake.log->releasedOnMessageThread);
    EXPECT_TRUE (fake.log->removals().empty());

    MessageLoop::runUntilAnimationsEnd();
    MessageLoop::runFor (300);
    EXPECT_EQ (messageBox (completionPage (host)).getText(), "The uninstallation was completed.");
    EXPECT_EQ (pagesGoingBack (host), outcomeShown);
}

TEST (UninstallJob, AFailedRemovalIsNamedOnTheCompletionPage)
{
    FakeSetup fake (Fake::removingFiles());
    const auto paths = fake.setup.targets;

    for (std::size_t i = 0; i < 4; ++i)
        fake.scratch.makeBundle (i);

    // The second bundle's rm fails (status 0, files kept); the third cannot even be launched.
    fake.answers.runTool = [remove = fake.answers.runTool, paths] (const Command& command)
    {
        if (command.back() == paths[1])
            return 0;

        if (command.back() == paths[2])
            return -60031;

        return remove (command);
    };

    MainLayoutComponent host (fake.setup);
    CompletionWatch watch (host);

    host.actionListenerCallback (WizardVocabulary::uninstall);
    ASSERT_TRUE (watch.runUntilShown());

    EXPECT_EQ (fake.log->removals().size(), 4u);
    EXPECT_FALSE (fake.scratch.bundle (0).exists());
    EXPECT_FALSE (fake.scratch.bundle (3).exists());
    auto& page = completionPage (host);
    EXPECT_EQ (remainingFileLines (messageBox (page)), listingOf (juce::StringArray (paths[1], paths[2])));
    EXPECT_EQ (titleLabel (page).getText(), "Not all files were removed");
    EXPECT_EQ (okButton (page).getButtonText(), "OK");
    EXPECT_EQ (pagesGoingBack (host), outcomeShown);
}

TEST (UninstallJob, APromptThatCannotBeShownIsExplainedAndARefusalIsNot)
{
    Fake::Answers untrusted;
    untrusted.obstacle = { Fake::PromptObstacle::Kind::helperUntrusted, "/usr/libexec/pelk helper" };
    FakeSetup fake (untrusted);
    MainLayoutComponent host (fake.setup);
    auto& page = welcomePage (host);
    const auto description = descriptionBox (page).getText();

    const auto clickUntilIdle = [&]
    {
        const auto asked = fake.objectsMade + 1;
        uninstallButton (page).triggerClick();
        return MessageLoop::runUntil ([&] { return fake.objectsMade == asked && ! host.isThreadRunning()
                                                       && uninstallButton (page).isEnabled(); });
    };

    ASSERT_TRUE (clickUntilIdle());
    EXPECT_EQ (welcomeLook (page), idleLook);
    EXPECT_TRUE (descriptionBox (page).getText().contains ("/usr/libexec/pelk helper"));
    EXPECT_TRUE (descriptionBox (page).getText().contains ("root"));
    EXPECT_EQ (fake.log->creates, 0);

    // The user said no: the page goes back to its own words.
    fake.answers.obstacle = {};
    fake.answers.grant = false;
    ASSERT_TRUE (clickUntilIdle());
    EXPECT_EQ (fake.log->prompts, 1);
    EXPECT_EQ (descriptionBox (page).getText(), description);
}

/** A host whose prompt stays open until the test answers it, with one bundle to remove. */
class UninstallJobWithHeldPrompt : public testing::Test
{
protected:
    UninstallJobWithHeldPrompt()  { fake.scratch.makeBundle (0); }

    /** Clicks the button and waits until the prompt is open. */
    void clickUntilAsked()
    {
        uninstallButton (page).triggerClick();
        ASSERT_TRUE (MessageLoop::runUntil ([&] { return prompt->isOpen(); }));
    }

    void refuseUntilIdle()
    {
        prompt->answer (false);
        ASSERT_TRUE (MessageLoop::runUntil ([&] { return uninstallButton (page).isEnabled(); }));
    }

    std::shared_ptr<Fake::HeldPrompt> prompt = std::make_shared<Fake::HeldPrompt>();
    FakeSetup fake { FakeSetup::held (prompt) };
    std::unique_ptr<MainLayoutComponent> host = std::make_unique<MainLayoutComponent> (fake.setup);
    WelcomeComponent& page = welcomePage (*host);
};

TEST_F (UninstallJobWithHeldPrompt, ThePageWorksMeanwhileAndFurtherClicksAskNothing)
{
    CompletionWatch watch (*host);
    clickUntilAsked();
    EXPECT_EQ (welcomeLook (page), workingLook);

    host->actionListenerCallback (WizardVocabulary::uninstall);
    MessageLoop::runFor (300);
    host->actionListenerCallback (WizardVocabulary::uninstall);
    EXPECT_EQ (fake.objectsMade, 1);
    EXPECT_TRUE (fake.scratch.bundle (0).exists());

    // A grant however late still runs the job to its completion page.
    prompt->answer (true);
    ASSERT_TRUE (watch.runUntilShown());
    EXPECT_FALSE (fake.scratch.bundle (0).exists());
    EXPECT_EQ (fake.log->prompts, 1);
    EXPECT_EQ (fake.log->releases, 1);
}

TEST_F (UninstallJobWithHeldPrompt, ARefusalRestoresTheIdleLookAndOnlyANewClickAsksAgain)
{
    clickUntilAsked();
    refuseUntilIdle();

    EXPECT_EQ (welcomeLook (page), idleLook);
    EXPECT_FALSE (host->isThreadRunning());
    EXPECT_EQ (pagesGoingBack (*host), juce::StringArray (WizardVocabulary::startPage));
    EXPECT_EQ (fake.log->releases, 1);

    MessageLoop::runFor (300);
    EXPECT_EQ (fake.log->prompts, 1);

    clickUntilAsked();
    EXPECT_EQ (fake.log->prompts, 2);
    EXPECT_EQ (fake.objectsMade, 2);
    refuseUntilIdle();

    EXPECT_TRUE (fake.log->removals().empty());
    EXPECT_TRUE (fake.scratch.bundle (0).exists());
}

TEST_F (UninstallJobWithHeldPrompt, DestroyingTheHostWithThePromptOpenWithdrawsItAndRemovesNothing)
{
    clickUntilAsked();

    const auto start = juce::Time::getMillisecondCounterHiRes();
    host = nullptr;

    EXPECT_LT (juce::Time::getMillisecondCounterHiRes() - start, 500.0);
    EXPECT_EQ (fake.log->withdrawals, 1);
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return fake.log->releases == 1; }));
    EXPECT_TRUE (fake.log->toolsRun.empty());
    EXPECT_TRUE (fake.scratch.bundle (0).exists());
}

TEST_F (UninstallJobWithHeldPrompt, AGrantThatRacesTheCloseRemovesNothing)
{
    // The close has begun (the thread is told to end) when the user's yes arrives.
    clickUntilAsked();
    host->signalThreadShouldExit();
    prompt->answer (true);
    MessageLoop::runFor (300);
    host = nullptr;

    EXPECT_TRUE (MessageLoop::runUntil ([&] { return fake.log->releases == 1; }));
    EXPECT_TRUE (fake.log->removals().empty());
    EXPECT_TRUE (fake.scratch.bundle (0).exists());
}

TEST_F (UninstallJobWithHeldPrompt, AClosedHostLeavesAPromptThatOnlyTheUserCanCloseAndRemovesNothingAfter)
{
    // As on a Mac: the prompt stays open until answered, whatever the program does.
    fake.answers.canClosePrompt = false;
    clickUntilAsked();

    const auto start = juce::Time::getMillisecondCounterHiRes();
    host = nullptr;

    EXPECT_LT (juce::Time::getMillisecondCounterHiRes() - start, 1000.0);
    EXPECT_TRUE (prompt->isOpen());

    // A grant that comes afterwards only gives the rights back.
    prompt->answer (true);
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return fake.log->releases == 1; }));
    EXPECT_TRUE (fake.log->removals().empty());
    EXPECT_TRUE (fake.scratch.bundle (0).exists());
}

TEST (UninstallJob, DestroyingTheHostWaitsForTheJobAndNothingReachesItAfterwards)
{
    FakeSetup fake;
    auto host = std::make_unique<MainLayoutComponent> (fake.setup);

    host->actionListenerCallback (WizardVocabulary::uninstall);
    MessageLoop::runFor (200);

    const auto start = juce::Time::getMillisecondCounterHiRes();
    host = nullptr;

    // The job had the rest of its wait to finish, and gave the rights back itself.
    EXPECT_GT (juce::Time::getMillisecondCounterHiRes() - start, 1200.0);
    EXPECT_EQ (fake.log->releases, 1);
    EXPECT_FALSE (fake.log->releasedOnMessageThread);
}

TEST (UninstallJob, ACompletionCallStillQueuedFindsNoHostOnceItIsGone)
{
    std::unique_ptr<MainLayoutComponent> host;

    // The host's deletion is queued as the rights are given back, so it comes
    // before the job's completion call.
    FakeSetup fake;
    fake.answers.onRelease = [&] { juce::MessageManager::callAsync ([&] { host = nullptr; }); };
    host = std::make_unique<MainLayoutComponent> (fake.setup);

    host->actionListenerCallback (WizardVocabulary::uninstall);
    ASSERT_TRUE (MessageLoop::runUntil ([&] { return host == nullptr; }, 6000));
    MessageLoop::runFor (200);
    EXPECT_EQ (fake.log->releases, 1);
}

TEST (UninstallJob, AQuitDuringTheJobDoesNotHangTheHostsDestruction)
{
    FakeSetup fake;
    auto host = std::make_unique<MainLayoutComponent> (fake.setup);

    host->actionListenerCallback (WizardVocabulary::uninstall);
    MessageLoop::runFor (200);

    // As the application does when it quits: from now on the message thread takes no messages.
    juce::MessageManager::getInstance()->stopDispatchLoop();

    const auto start = juce::Time::getMillisecondCounterHiRes();
    host = nullptr;

    EXPECT_LT (juce::Time::getMillisecondCounterHiRes() - start, 3000.0);
    EXPECT_EQ (fake.log->releases, 1);
}
