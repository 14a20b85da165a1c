#include <gtest/gtest.h>

#include "support/MessageLoop.h"
#include "support/PageParts.h"
#include "support/RefusingSetup.h"
#include "wizard/WizardVocabulary.h"

namespace
{
    const juce::Rectangle<int> pageArea { 0, 0, 400, 240 };
    const juce::String welcomeName (WizardVocabulary::startPage);
    const juce::String completionName (WizardVocabulary::thankYouPage);
    using Components = juce::Array<juce::Component*>;

    class Navigation : public testing::Test
    {
    protected:
        MainLayoutComponent host { refusingSetup() };

        WelcomeComponent& welcome()      { return PageParts::welcomePage (host); }
        ThankYouComponent& thankYou()    { return PageParts::completionPage (host); }
        ShadowComponent& shadow()        { return PageParts::shadow (host); }
        juce::StringArray pagesGoingBack()  { return PageParts::pagesGoingBack (host); }

        /** Sends a message and lets the transition run to its end; returns how long it took. */
        double send (const juce::String& message)
        {
            const auto start = juce::Time::getMillisecondCounterHiRes();
            host.actionListenerCallback (message);
            return millisecondsUntilAnimationsEnd (start);
        }

        static double millisecondsUntilAnimationsEnd (double start)
        {
            EXPECT_TRUE (MessageLoop::runUntilAnimationsEnd());
            return juce::Time::getMillisecondCounterHiRes() - start - MessageLoop::lastAnimationNoticeMilliseconds;
        }

        /** Children from back to front. */
        Components zOrder()  { return host.getChildren(); }
    };
}

TEST_F (Navigation, StartsOnTheWelcomePageAloneOverADarkBackground)
{
    juce::Image image (juce::Image::ARGB, 400, 240, true);
    juce::Graphics g (image);
    host.paint (g);
    EXPECT_EQ (image.getPixelAt (0, 0), juce::Colour (0xff282828));
    EXPECT_EQ (image.getPixelAt (399, 239), juce::Colour (0xff282828));

    EXPECT_EQ (host.getBounds(), pageArea);
    EXPECT_EQ (pagesGoingBack(), juce::StringArray (welcomeName));
    EXPECT_TRUE (welcome().isVisible());
    EXPECT_FALSE (thankYou().isVisible());
    EXPECT_FALSE (shadow().isVisible());
    EXPECT_FALSE (shadow().isEnabled());

    for (auto* child : zOrder())
        EXPECT_EQ (child->getBounds(), pageArea);

    EXPECT_EQ (zOrder(), Components ({ &shadow(), &thankYou(), &welcome() }));

    // A window forced to another size neither squeezes nor stretches a page.
    for (auto [width, height, pageX, pageY] : { std::tuple (130, 149, 0, 0), std::tuple (800, 600, 200, 180) })
    {
        host.setSize (width, height);

        for (auto* child : zOrder())
            EXPECT_EQ (child->getBounds(), pageArea.withPosition (pageX, pageY));
    }
}

TEST_F (Navigation, FinishedFadesTheCompletionPageInOverTheWelcomePage)
{
    const auto start = juce::Time::getMillisecondCounterHiRes();
    host.actionListenerCallback (WizardVocabulary::finished);

    EXPECT_TRUE (thankYou().isVisible());
    EXPECT_EQ (thankYou().getBounds(), pageArea);
    EXPECT_FLOAT_EQ (thankYou().getAlpha(), 0.0f);

    MessageLoop::runFor (300);
    EXPECT_GT (thankYou().getAlpha(), 0.0f);
    EXPECT_LT (thankYou().getAlpha(), 1.0f);

    EXPECT_NEAR (millisecondsUntilAnimationsEnd (start), 600.0, 150.0);
    EXPECT_FLOAT_EQ (thankYou().getAlpha(), 1.0f);
    EXPECT_EQ (thankYou().getBounds(), pageArea);
    EXPECT_TRUE (welcome().isVisible());
    EXPECT_EQ (welcome().getBounds(), pageArea);
    EXPECT_EQ (zOrder(), Components ({ &shadow(), &welcome(), &thankYou() }));
    EXPECT_EQ (pagesGoingBack(), juce::StringArray (completionName, welcomeName));
}

TEST_F (Navigation, MoveBackwardSlidesTheTopPageOutToTheRight)
{
    send (WizardVocabulary::finished);

    host.actionListenerCallback (WizardVocabulary::moveBackward);
    EXPECT_EQ (welcome().getX(), -100);
    EXPECT_FLOAT_EQ (shadow().getAlpha(), 1.0f);
    EXPECT_EQ (zOrder(), Components ({ &welcome(), &shadow(), &thankYou() }));

    const auto took = send ({});   // an empty message changes nothing; the slide runs on
    EXPECT_NEAR (took, 300.0, 150.0);

    EXPECT_EQ (welcome().getBounds(), pageArea);
    EXPECT_EQ (thankYou().getBounds(), pageArea.translated (400, 0));
    EXPECT_FLOAT_EQ (shadow().getAlpha(), 0.0f);
    EXPECT_EQ (zOrder().getFirst(), &shadow());
    EXPECT_EQ (pagesGoingBack(), juce::StringArray (welcomeName));
}

TEST_F (Navigation, MoveBackwardToAPageNotInTheStackPushesIt)
{
    host.actionListenerCallback ("moveBackwardTo QMVHubPageNameThankYou");
    EXPECT_TRUE (thankYou().isVisible());
    EXPECT_EQ (thankYou().getX(), -100);
    EXPECT_EQ (zOrder(), Components ({ &thankYou(), &shadow(), &welcome() }));

    send ({});

    EXPECT_EQ (thankYou().getBounds(), pageArea);
    EXPECT_EQ (welcome().getBounds(), pageArea.translated (400, 0));
    EXPECT_EQ (pagesGoingBack(), juce::StringArray (completionName, welcomeName));
}

TEST_F (Navigation, MoveForwardFromTheCompletionPageSlidesInFromTheRight)
{
    send (WizardVocabulary::finished);

    host.actionListenerCallback ("moveForwardTo QMVHubPageNameStart");
    EXPECT_EQ (welcome().getX(), 400);
    EXPECT_FLOAT_EQ (shadow().getAlpha(), 0.0f);
    EXPECT_EQ (zOrder(), Components ({ &thankYou(), &shadow(), &welcome() }));

    const auto took = send ({});
    EXPECT_NEAR (took, 300.0, 150.0);

    EXPECT_EQ (welcome().getBounds(), pageArea);
    EXPECT_EQ (thankYou().getBounds(), pageArea.translated (-100, 0));
    EXPECT_FLOAT_EQ (shadow().getAlpha(), 1.0f);
    EXPECT_EQ (zOrder().getFirst(), &shadow());
    EXPECT_EQ (pagesGoingBack(), juce::StringArray (welcomeName, completionName, welcomeName));
}

TEST_F (Navigation, MoveBackwardToCutsTheStackAtTheFirstEntryOfThePage)
{
    send (WizardVocabulary::finished);
    send ("moveForwardTo QMVHubPageNameStart");
    send ("moveForwardTo QMVHubPageNameThankYou");

    send ("moveBackwardTo QMVHubPageNameStart");
    EXPECT_EQ (welcome().getBounds(), pageArea);
    EXPECT_EQ (pagesGoingBack(), juce::StringArray (welcomeName));
}

TEST_F (Navigation, MessagesThatNameNoPageOrNoCommandChangeNothing)
{
    for (auto* message : { "", " finished", "Finished", "finished?", "moveBackward",
                           "moveForwardTo", "moveForwardTo Nowhere", "moveBackwardTo qmvhubpagenamethankyou",
                           "moveForwardTo \"QMVHubPageNameThankYou\"", "moveForwardTo  QMVHubPageNameThankYou",
                           "goTo QMVHubPageNameThankYou" })
    {
        SCOPED_TRACE (message);
        host.actionListenerCallback (message);

        EXPECT_FALSE (juce::Desktop::getInstance().getAnimator().isAnimating());
        EXPECT_EQ (PageParts::pageInFront (host), welcomeName);
        EXPECT_FALSE (thankYou().isVisible());
        EXPECT_FALSE (shadow().isVisible());
        EXPECT_EQ (welcome().getBounds(), pageArea);
    }

    // Nor did they leave anything in the history that keeps the next page from coming.
    send (WizardVocabulary::finished);
    EXPECT_EQ (pagesGoingBack(), juce::StringArray (completionName, welcomeName));
}

TEST_F (Navigation, CommandsSplitAtTabsAndLineBreaksAndIgnoreSurplusTokens)
{
    send ("moveForwardTo\tQMVHubPageNameThankYou surplus tokens");
    EXPECT_EQ (PageParts::pageInFront (host), completionName);

    send ("moveForwardTo\nQMVHubPageNameStart");
    EXPECT_EQ (PageParts::pageInFront (host), welcomeName);

    send ("moveBackward\r\n");
    EXPECT_EQ (pagesGoingBack(), juce::StringArray (completionName, welcomeName));
}

TEST_F (Navigation, AMoveToThePageOnTopLeavesItInPlace)
{
    send ("moveForwardTo QMVHubPageNameStart");

    EXPECT_EQ (welcome().getBounds(), pageArea);
    EXPECT_TRUE (welcome().isVisible());
    EXPECT_FALSE (thankYou().isVisible());
}

TEST_F (Navigation, CompletedAsksTheApplicationToQuit)
{
    EXPECT_FALSE (juce::MessageManager::getInstance()->hasStopMessageBeenSent());
    host.actionListenerCallback (WizardVocabulary::completed);
    EXPECT_TRUE (juce::MessageManager::getInstance()->hasStopMessageBeenSent());
}
