#include <gtest/gtest.h>

#include <cstdlib>

#include "app/QMV_HubApplication.h"
#include "support/MessageLoop.h"
#include "support/PageParts.h"
#include "support/RefusingSetup.h"
#include "support/Pixels.h"
#include "platform/UserLanguage.h"
#include "style/JapaneseLocale.h"

using namespace PageParts;

namespace
{
    const juce::Colour hostBackground (0xff282828);
    const juce::Colour accent (QMVHubLookAndFeel::accent);

    juce::String sansSerifFaceOf (juce::LookAndFeel& lookAndFeel)
    {
        return lookAndFeel.getTypefaceForFont (juce::FontOptions())->getName();
    }

    juce::Colour buttonFill (float alpha, float saturation = 0.9f)
    {
        return hostBackground.overlaidWith (accent.withMultipliedSaturation (saturation).withMultipliedAlpha (alpha));
    }

    // The working look, set on the controls directly: a click would also send
    // "uninstall", which asks for administrator rights.
    void showWorkingLook (juce::Component& host)
    {
        auto& page = welcomePage (host);
        uninstallButton (page).setEnabled (false);
        descriptionBox (page).setVisible (false);
        progressBar (page).setVisible (true);
    }

    juce::Image snapshot (juce::Component& component, const juce::String& artefactName)
    {
        auto image = component.createComponentSnapshot (component.getLocalBounds(), true, 1.0f)
                              .convertedToFormat (juce::Image::ARGB);
        Pixels::saveArtefact (image, artefactName);
        return image;
    }

    void expectBackgroundAroundTheControls (const juce::Image& image)
    {
        for (auto [x, y] : { std::pair { 5, 5 }, { 395, 5 }, { 10, 120 }, { 390, 120 }, { 200, 10 }, { 5, 235 }, { 395, 235 } })
            EXPECT_TRUE (Pixels::isAt (image, x, y, hostBackground, 0));
    }
}

TEST (MainLayoutComponentLook, HostStylesItsPagesAndControls)
{
    MainLayoutComponent host (refusingSetup());

    auto* style = dynamic_cast<QMVHubLookAndFeel*> (&host.getLookAndFeel());
    ASSERT_NE (style, nullptr);

    auto& welcome = welcomePage (host);
    EXPECT_EQ (&uninstallButton (welcome).getLookAndFeel(), style);
    EXPECT_EQ (&progressBar (welcome).getLookAndFeel(), style);
    EXPECT_EQ (&completionPage (host).getLookAndFeel(), style);
    EXPECT_NE (&juce::LookAndFeel::getDefaultLookAndFeel(), style) << "the window's own look stays";
}

TEST (MainLayoutComponentLook, HostTakesTheTypefaceOfTheUsersLanguage)
{
    // Japanese where the environment names the language (Linux); a Mac keeps its own.
    ::setenv ("LC_ALL", "ja_JP.UTF-8", 1);

    QMVHubLookAndFeel expected;
    JapaneseLocale::applyTypeface (expected, UserLanguage::getCode());
    MainLayoutComponent host (refusingSetup());
    EXPECT_EQ (sansSerifFaceOf (host.getLookAndFeel()), sansSerifFaceOf (expected));
}

TEST (MainLayoutComponentLook, WelcomePageShowsTheAccentButtonAndTheBusyBar)
{
    MainLayoutComponent host (refusingSetup());

    const auto idle = snapshot (host, "host-welcome-idle");
    expectBackgroundAroundTheControls (idle);
    EXPECT_TRUE (Pixels::isAt (idle, 30, 30, buttonFill (0.9f)));
    EXPECT_TRUE (Pixels::isAt (idle, 370, 70, buttonFill (0.9f)));

    showWorkingLook (host);
    MessageLoop::runFor (100);   // the bar takes up its value on its own timer
    const auto working = snapshot (host, "host-welcome-working");
    expectBackgroundAroundTheControls (working);
    EXPECT_TRUE (Pixels::isAt (working, 30, 30, buttonFill (0.5f)));

    // The bar at (20, 120, 360, 8): stripes over the dark fill inside its border.
    const auto stripe = hostBackground.overlaidWith (accent.withMultipliedAlpha (0.85f));
    EXPECT_GT (Pixels::countNear (working, { 21, 124, 358, 1 }, stripe, 3), 120);
    EXPECT_GT (Pixels::countNear (working, { 21, 124, 358, 1 }, hostBackground, 3), 120);
    EXPECT_EQ (Pixels::countNear (idle, { 21, 124, 358, 1 }, stripe, 3), 0);
}

TEST (MainLayoutComponentLook, CompletionPageCoversTheWelcomePageInFull)
{
    // As in the program, the framework then keeps X errors from ending the process.
    juce::JUCEApplicationBase::createInstance = [] () -> juce::JUCEApplicationBase* { return nullptr; };

    QMV_HubApplication::MainWindow window ("PELK USB MIDI Driver Uninstaller 3.0.0", refusingSetup(), "en");
    auto* host = dynamic_cast<MainLayoutComponent*> (window.getContentComponent());
    ASSERT_NE (host, nullptr);

    showWorkingLook (*host);
    host->actionListenerCallback (WizardVocabulary::finished);
    ASSERT_TRUE (MessageLoop::runUntilAnimationsEnd());

    const auto image = snapshot (*host, "host-completion");
    ASSERT_EQ (image.getBounds(), juce::Rectangle<int> (0, 0, 400, 240));

    // Where the welcome page's button and busy bar lie, only the completion page shows.
    EXPECT_EQ (Pixels::countNear (image, { 0, 0, 400, 48 }, hostBackground, 0), 400 * 48);
    EXPECT_EQ (Pixels::countNear (image, { 0, 118, 400, 12 }, hostBackground, 0), 400 * 12);

    // Its own OK button at (20, 170, 360, 60), away from the text, with the keyboard
    // focus once the window has it, so that Return ends the program.
    // Other cases' windows share the display and may take the focus meanwhile: the
    // window asks for it back until it has it.
    ASSERT_TRUE (MessageLoop::runUntil ([&]
    {
        if (! window.isActiveWindow())
            window.toFront (true);

        return okButton (completionPage (*host)).hasKeyboardFocus (false);
    }));
    const auto focused = snapshot (*host, "host-completion");
    EXPECT_TRUE (Pixels::isAt (focused, 30, 180, buttonFill (0.9f, 1.3f)));
    EXPECT_TRUE (Pixels::isAt (focused, 370, 220, buttonFill (0.9f, 1.3f)));
    EXPECT_TRUE (Pixels::isAt (focused, 21, 200, juce::Colour (QMVHubLookAndFeel::highlight)));
    EXPECT_TRUE (Pixels::isAt (image, 10, 200, hostBackground, 0));
}
