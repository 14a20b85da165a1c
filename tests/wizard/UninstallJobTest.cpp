#include <gtest/gtest.h>

#include "style/JapaneseLocale.h"
#include "support/FakeAuthorizationServices.h"
#include "support/MessageLoop.h"
#include "support/PageParts.h"
#include "support/Pixels.h"
#include "support/ScratchNames.h"
#include "wizard/PathLines.h"

#include <atomic>

namespace
{
    using Fake = FakeAuthorizationServices;
    using Command = Fake::Command;
    using namespace PageParts;

    /** The pages going back once the job has shown its outcome: the completion page, once. */
    const juce::StringArray outcomeShown (WizardVocabulary::thankYouPage, WizardVocabulary::startPage);

    /** Four scratch paths, holding spaces, in place of the driver's bundles. */
    struct ScratchTargets
    {
        ScratchTargets()
        {
            folder.createDirectory();

            for (auto name : { "MIDI Drivers/Pelk.plugin", "Extensions/adif.plugin",
                               "Extensions/advPelk.plugin", "MIDI Drivers/advPelk.plugin" })
                paths.push_back (folder.getChildFile (name).getFullPathName().toStdString());
        }

        ~ScratchTargets() { folder.deleteRecursively(); }

        juce::File file (std::size_t index) const  { return juce::File (paths[index]); }

        void makeTree (std::size_t index) const
        {
            file (index).getChildFile ("Contents/Mac OS/driver binary").create();
            file (index).getChildFile ("Contents/Info.plist").create();
        }

        juce::File folder { ScratchNames::uniqueInTemp ("job test") };
        std::vector<std::string> paths;
    };

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

    /** A setup over fake services that share one log and count the objects made. */
    struct FakeSetup
    {
        explicit FakeSetup (std::vector<std::string> targets, Fake::Answers answersToGive = Fake::Answers())
            : answers (std::move (answersToGive))
        {
            setup.targets = std::move (targets);
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

        std::shared_ptr<Fake::Log> log = std::make_shared<Fake::Log>();
        Fake::Answers answers;
        std::atomic<int> objectsMade { 0 };
        UninstallSetup setup;
    };

    /** The message box's lines, each wrapped path joined back into one, without the
        blank lines that set entries apart. */
    juce::StringArray unwrapped (const juce::TextEditor& box)
    {
        juce::StringArray lines;

        for (auto& line : juce::StringArray::fromLines (box.getText()))
        {
            if (line.isEmpty())
                continue;

            if (line.startsWith (PathLines::continuationIndent) && ! lines.isEmpty())
                lines.getReference (lines.size() - 1) += line.substring (2);
            else
                lines.add (line);
        }

        return lines;
    }

    juce::Viewport* findViewport (juce::TextEditor& box)
    {
        for (auto* child : box.getChildren())
            if (auto* viewport = dynamic_cast<juce::Viewport*> (child))
                return viewport;

        return nullptr;
    }

    /** What the completion page lists for the paths: each name, then its folder. */
    juce::StringArray listed (const juce::StringArray& paths, const juce::String& in = "in")
    {
        juce::StringArray lines;

        for (auto& path : paths)
            lines.addArray ({ path.fromLastOccurrenceOf ("/", false, false),
                              in + " " + path.upToLastOccurrenceOf ("/", false, false) });

        return lines;
    }
}

TEST (UninstallJob, WithNothingToRemoveReportsFinishedOnceAboutTwoSecondsLater)
{
    ScratchTargets targets;
    FakeSetup fake (targets.paths);
    MainLayoutComponent host (fake.setup);
    CompletionWatch watch (host);

    const auto start = juce::Time::getMillisecondCounterHiRes();
    host.actionListenerCallback ("uninstall");
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
    ScratchTargets targets;

    for (std::size_t i = 0; i < 4; ++i)
        targets.makeTree (i);

    // The second bundle's rm fails (status 0, files kept); the third cannot even be launched.
    auto answers = Fake::removingFiles();
    answers.runTool = [remove = answers.runTool, &targets] (const Command& command)
    {
        if (command.back() == targets.paths[1])
            return 0;

        if (command.back() == targets.paths[2])
            return -60031;

        return remove (command);
    };

    FakeSetup fake (targets.paths, answers);
    MainLayoutComponent host (fake.setup);
    CompletionWatch watch (host);

    host.actionListenerCallback ("uninstall");
    ASSERT_TRUE (watch.runUntilShown());

    EXPECT_EQ (fake.log->removals().size(), 4u);
    EXPECT_FALSE (targets.file (0).exists());
    EXPECT_FALSE (targets.file (3).exists());
    auto& page = completionPage (host);
    EXPECT_EQ (unwrapped (messageBox (page)), listed (juce::StringArray (targets.paths[1], targets.paths[2])));
    EXPECT_EQ (titleLabel (page).getText(), "Not all files were removed");
    EXPECT_EQ (okButton (page).getButtonText(), "OK");
    EXPECT_EQ (pagesGoingBack (host), outcomeShown);
}

TEST (UninstallJob, APromptThatCannotBeShownIsExplainedAndARefusalIsNot)
{
    ScratchTargets targets;
    Fake::Answers untrusted;
    untrusted.obstacle = { Fake::PromptObstacle::Kind::helperUntrusted, "/usr/libexec/pelk helper" };
    FakeSetup fake (targets.paths, untrusted);
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
    UninstallJobWithHeldPrompt()  { targets.makeTree (0); }

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

    ScratchTargets targets;
    std::shared_ptr<Fake::HeldPrompt> prompt = std::make_shared<Fake::HeldPrompt>();
    FakeSetup fake { targets.paths, FakeSetup::held (prompt) };
    std::unique_ptr<MainLayoutComponent> host = std::make_unique<MainLayoutComponent> (fake.setup);
    WelcomeComponent& page = welcomePage (*host);
};

TEST_F (UninstallJobWithHeldPrompt, ThePageWorksMeanwhileAndFurtherClicksAskNothing)
{
    CompletionWatch watch (*host);
    clickUntilAsked();
    EXPECT_EQ (welcomeLook (page), workingLook);

    host->actionListenerCallback ("uninstall");
    MessageLoop::runFor (300);
    host->actionListenerCallback ("uninstall");
    EXPECT_EQ (fake.objectsMade, 1);
    EXPECT_TRUE (targets.file (0).exists());

    // A grant however late still runs the job to its completion page.
    prompt->answer (true);
    ASSERT_TRUE (watch.runUntilShown());
    EXPECT_FALSE (targets.file (0).exists());
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
    EXPECT_TRUE (targets.file (0).exists());
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
    EXPECT_TRUE (targets.file (0).exists());
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
    EXPECT_TRUE (targets.file (0).exists());
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
    EXPECT_TRUE (targets.file (0).exists());
}

TEST (UninstallJob, DestroyingTheHostWaitsForTheJobAndNothingReachesItAfterwards)
{
    ScratchTargets targets;
    FakeSetup fake (targets.paths);
    auto host = std::make_unique<MainLayoutComponent> (fake.setup);

    host->actionListenerCallback ("uninstall");
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
    ScratchTargets targets;
    std::unique_ptr<MainLayoutComponent> host;

    // The host's deletion is queued as the rights are given back, so it comes
    // before the job's completion call.
    Fake::Answers answers;
    answers.onRelease = [&] { juce::MessageManager::callAsync ([&] { host = nullptr; }); };
    FakeSetup fake (targets.paths, answers);
    host = std::make_unique<MainLayoutComponent> (fake.setup);

    host->actionListenerCallback ("uninstall");
    ASSERT_TRUE (MessageLoop::runUntil ([&] { return host == nullptr; }, 6000));
    MessageLoop::runFor (200);
    EXPECT_EQ (fake.log->releases, 1);
}

TEST (UninstallJob, AQuitDuringTheJobDoesNotHangTheHostsDestruction)
{
    ScratchTargets targets;
    FakeSetup fake (targets.paths);
    auto host = std::make_unique<MainLayoutComponent> (fake.setup);

    host->actionListenerCallback ("uninstall");
    MessageLoop::runFor (200);

    // As the application does when it quits: from now on the message thread takes no messages.
    juce::MessageManager::getInstance()->stopDispatchLoop();

    const auto start = juce::Time::getMillisecondCounterHiRes();
    host = nullptr;

    EXPECT_LT (juce::Time::getMillisecondCounterHiRes() - start, 3000.0);
    EXPECT_EQ (fake.log->releases, 1);
}

TEST (UninstallJob, TheCompletionPageNamesWhatIsLeftInJapanese)
{
    juce::LocalisedStrings::setCurrentMappings (new juce::LocalisedStrings (JapaneseLocale::getTranslationText(), false));

    juce::ActionBroadcaster broadcaster;
    ThankYouComponent page (&broadcaster, WizardVocabulary::thankYouPage);
    page.setSize (400, 240);
    page.showRemainingFiles ({ "/a b/one", "/c/two" });

    EXPECT_EQ (titleLabel (page).getText(), juce::String::fromUTF8 ("削除できなかったファイルがあります"));
    EXPECT_EQ (unwrapped (messageBox (page)),
               listed (juce::StringArray ("/a b/one", "/c/two"), juce::String::fromUTF8 ("場所:")));

    juce::LocalisedStrings::setCurrentMappings (nullptr);
}

TEST (UninstallJob, EveryRemainingBundleIsReadableWholeInTheMessageBox)
{
    juce::ActionBroadcaster broadcaster;
    ThankYouComponent page (&broadcaster, WizardVocabulary::thankYouPage);
    page.setSize (400, 240);

    const juce::StringArray bundles { "/Library/Audio/MIDI Drivers/PelkUSBMIDIDriver.plugin",
                                      "/System/Library/Extensions/adif.plugin",
                                      "/System/Library/Extensions/advPelkUSBMIDIDriver.plugin",
                                      "/Library/Audio/MIDI Drivers/advPelkUSBMIDIDriver.plugin" };
    page.showRemainingFiles (bundles);

    auto& box = messageBox (page);
    EXPECT_EQ (unwrapped (box), listed (bundles));

    // The four fit whole in the room the page has: nothing to scroll, no line cut.
    auto* viewport = findViewport (box);
    ASSERT_NE (viewport, nullptr);
    EXPECT_FALSE (viewport->getVerticalScrollBar().isVisible());
    EXPECT_LE (box.getTextHeight(), viewport->getMaximumVisibleHeight());
    EXPECT_LE (box.getTextWidth(), viewport->getMaximumVisibleWidth());
    EXPECT_LT (box.getBottom(), okButton (page).getY());
    EXPECT_EQ (okButton (page).getBottom(), 224);

    // Kept for a person to look at: the top of the list, then its end.
    box.moveCaretToTop (false);
    Pixels::saveArtefact (page.createComponentSnapshot (page.getLocalBounds()), "completion-remaining-files");
    box.moveCaretToEnd();
    Pixels::saveArtefact (page.createComponentSnapshot (page.getLocalBounds()), "completion-remaining-files-end");
}

TEST (UninstallJob, ALongerListOfRemainingFilesScrollsFromTheKeyboard)
{
    juce::ActionBroadcaster broadcaster;
    ThankYouComponent page (&broadcaster, WizardVocabulary::thankYouPage);
    page.setSize (400, 240);

    juce::StringArray paths;
    for (auto name : { "one", "two", "three", "four", "five", "six" })
        paths.add (juce::String ("/a folder deep down/where a driver was/") + name + ".plugin");

    page.showRemainingFiles (paths);
    auto* viewport = findViewport (messageBox (page));
    ASSERT_NE (viewport, nullptr);
    ASSERT_TRUE (viewport->getVerticalScrollBar().isVisible());

    // The scroll bar moves the view asynchronously.
    EXPECT_TRUE (page.keyPressed (juce::KeyPress (juce::KeyPress::pageDownKey)));
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return viewport->getViewPositionY() > 0; }));
    EXPECT_TRUE (page.keyPressed (juce::KeyPress (juce::KeyPress::homeKey)));
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return viewport->getViewPositionY() == 0; }));
}
