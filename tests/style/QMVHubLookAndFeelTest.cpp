#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "style/QMVHubLookAndFeel.h"
#include "support/MessageLoop.h"
#include "support/Pixels.h"

namespace
{
    const juce::Colour accent (QMVHubLookAndFeel::accent);
    const juce::Colour darkFill (QMVHubLookAndFeel::darkFill);
    const juce::Colour clear (0x00000000);

    juce::Image blankImage (int width, int height)
    {
        return juce::Image (juce::Image::ARGB, width, height, true);
    }

    /** Gives a component the look for as long as the fixture lives. */
    struct Styled
    {
        Styled (juce::Component& c, juce::LookAndFeel& lookAndFeel) : component (c)   { c.setLookAndFeel (&lookAndFeel); }
        ~Styled()                                                                   { component.setLookAndFeel (nullptr); }

        juce::Component& component;
    };
}

//==============================================================================
TEST (QMVHubLookAndFeelColours, ThePagesControlsShowThePaletteAndTheRestKeepsTheBasesColours)
{
    QMVHubLookAndFeel lookAndFeel;
    const auto snapshot = [&lookAndFeel] (juce::Component& component, int width, int height)
    {
        const Styled styled (component, lookAndFeel);
        component.setSize (width, height);
        return component.createComponentSnapshot (component.getLocalBounds()).convertedToFormat (juce::Image::ARGB);
    };
    const auto brightest = [] (const juce::Image& image)
    {
        const auto seen = [] (juce::Colour c) { return c.getPerceivedBrightness() * c.getFloatAlpha(); };
        juce::Colour found;
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                if (seen (image.getPixelAt (x, y)) > seen (found))
                    found = image.getPixelAt (x, y);
        return found;
    };
    const juce::Colour lightText (QMVHubLookAndFeel::lightText), white (juce::Colours::white);

    // A button: filled as if given the accent, its text white.
    juce::TextButton button ("Uninstall Driver");
    const auto buttonImage = snapshot (button, 200, 40);
    auto accentFill = blankImage (200, 40);
    {
        juce::Graphics g (accentFill);
        lookAndFeel.drawButtonBackground (g, button, accent, false, false);
    }
    EXPECT_TRUE (Pixels::isAt (buttonImage, 10, 20, accentFill.getPixelAt (10, 20), 0));
    EXPECT_EQ (brightest (buttonImage), white);

    // A title: light text on no background of its own.
    juce::Label title ({}, "Completed");
    const auto titleImage = snapshot (title, 200, 30);
    EXPECT_EQ (brightest (titleImage), lightText);
    EXPECT_TRUE (Pixels::isAt (titleImage, 0, 0, clear, 0));

    // A read-only text box: light text on the dark fill, no outline; a selection in
    // the highlight, which the framework halves while the box has no focus.
    juce::TextEditor box;
    box.setLookAndFeel (&lookAndFeel);   // a text takes its colour as it is set
    box.setMultiLine (true);
    box.setReadOnly (true);
    box.setText ("The uninstallation was completed.");
    box.setHighlightedRegion ({ 0, 3 });
    const auto boxImage = snapshot (box, 200, 60);
    EXPECT_TRUE (Pixels::isAt (boxImage, 0, 0, darkFill, 0));
    EXPECT_TRUE (Pixels::isAt (boxImage, 199, 59, darkFill, 0));
    EXPECT_EQ (brightest (boxImage), lightText);
    EXPECT_GT (Pixels::countNear (boxImage, boxImage.getBounds(),
                                  darkFill.overlaidWith (juce::Colour (QMVHubLookAndFeel::highlight).withMultipliedAlpha (0.5f)), 1), 0);

    // A scroll bar: a grey thumb that shows on the dark fill.
    juce::ScrollBar scrollBar (true);
    scrollBar.setRangeLimits (0.0, 100.0);
    scrollBar.setCurrentRange (0.0, 50.0);
    const auto thumb = snapshot (scrollBar, 16, 200).getPixelAt (8, 50);
    EXPECT_TRUE (thumb.getRed() == thumb.getGreen() && thumb.getGreen() == thumb.getBlue()) << thumb.toDisplayString (true);
    EXPECT_GT (darkFill.overlaidWith (thumb).getPerceivedBrightness(), darkFill.getPerceivedBrightness() + 0.1f);

    // What the table does not set stays the base's, the text box's pop-up menu among it.
    juce::LookAndFeel_V3 base;

    for (auto id : { (int) juce::ComboBox::focusedOutlineColourId, (int) juce::TableHeaderComponent::backgroundColourId,
                     (int) juce::TableHeaderComponent::outlineColourId, (int) juce::Label::backgroundColourId,
                     (int) juce::TextEditor::shadowColourId, (int) juce::PopupMenu::backgroundColourId,
                     (int) juce::ComboBox::backgroundColourId, (int) juce::Slider::backgroundColourId })
        EXPECT_EQ (lookAndFeel.findColour (id), base.findColour (id)) << "colour id 0x" << juce::String::toHexString (id);
}

//==============================================================================
class QMVHubLookAndFeelButton : public testing::Test
{
protected:
    QMVHubLookAndFeelButton()
    {
        button.setSize (200, 40);
    }

    juce::Image paintBackground (bool mouseOver, bool pressed)
    {
        auto image = blankImage (button.getWidth() + 2, button.getHeight() + 2);
        juce::Graphics g (image);
        lookAndFeel.drawButtonBackground (g, button, accent, mouseOver, pressed);
        return image;
    }

    juce::Colour idleColour (float saturation, float alpha) const
    {
        return accent.withMultipliedSaturation (saturation).withMultipliedAlpha (alpha);
    }

    QMVHubLookAndFeel lookAndFeel;
    juce::TextButton button;
    Styled styled { button, lookAndFeel };
};

TEST_F (QMVHubLookAndFeelButton, IdleButtonIsAFlatRoundedFill)
{
    const auto image = paintBackground (false, false);
    const auto fill = idleColour (0.9f, 0.9f);

    for (auto [x, y] : { std::pair { 100, 20 }, { 10, 1 }, { 1, 20 }, { 198, 20 }, { 100, 38 } })
        EXPECT_TRUE (Pixels::isAt (image, x, y, fill)) << "no gradient, shadow or outline";

    // Rounded corners, 14 x 39 / 60 pixels, leave the very corners clear.
    for (auto [x, y] : { std::pair { 0, 0 }, { 1, 1 }, { 198, 1 }, { 1, 38 }, { 198, 38 } })
        EXPECT_TRUE (Pixels::isAt (image, x, y, clear));

    // Nothing outside the shape.
    EXPECT_TRUE (Pixels::isAt (image, 100, 40, clear));
    EXPECT_TRUE (Pixels::isAt (image, 200, 20, clear));
}

TEST_F (QMVHubLookAndFeelButton, PressedWinsOverMouseOverAndUnfocusedDarkens)
{
    const auto idle = idleColour (0.9f, 0.9f);

    EXPECT_TRUE (Pixels::isAt (paintBackground (true, false), 100, 20, idle.contrasting (0.1f)));
    EXPECT_TRUE (Pixels::isAt (paintBackground (false, true), 100, 20, idle.contrasting (0.2f)));
    EXPECT_TRUE (Pixels::isAt (paintBackground (true, true), 100, 20, idle.contrasting (0.2f)));

    EXPECT_LT (paintBackground (true, false).getPixelAt (100, 20).getPerceivedBrightness(),
               paintBackground (false, false).getPixelAt (100, 20).getPerceivedBrightness());
}

TEST_F (QMVHubLookAndFeelButton, DisabledButtonHalvesItsAlpha)
{
    button.setEnabled (false);
    EXPECT_TRUE (Pixels::isAt (paintBackground (false, false), 100, 20, idleColour (0.9f, 0.5f)));
    EXPECT_TRUE (Pixels::isAt (paintBackground (true, false), 100, 20, idleColour (0.9f, 0.5f).contrasting (0.1f)));

    // A disabled parent disables the button as well.
    button.setEnabled (true);
    juce::Component parent;
    parent.addAndMakeVisible (button);
    parent.setEnabled (false);
    EXPECT_TRUE (Pixels::isAt (paintBackground (false, false), 100, 20, idleColour (0.9f, 0.5f)));
    parent.removeChildComponent (&button);
}

TEST_F (QMVHubLookAndFeelButton, FocusedButtonIsMoreSaturatedAndLightensUnderTheMouse)
{
    // As in the program, the framework then keeps X errors from ending the process.
    juce::JUCEApplicationBase::createInstance = [] () -> juce::JUCEApplicationBase* { return nullptr; };

    juce::Component window;
    window.setSize (240, 80);
    window.addAndMakeVisible (button);
    button.setWantsKeyboardFocus (true);
    window.addToDesktop (juce::ComponentPeer::windowIsTemporary);
    window.setVisible (true);

    ASSERT_TRUE (MessageLoop::runUntil ([this]
    {
        button.grabKeyboardFocus();
        return button.hasKeyboardFocus (false);
    }));

    const auto focused = idleColour (1.3f, 0.9f);
    ASSERT_LT (focused.getPerceivedBrightness(), 0.5f);

    // A ring in the highlight colour along the inside of the shape.
    for (auto [x, y] : { std::pair { 1, 20 }, { 100, 1 }, { 198, 20 }, { 100, 38 } })
        EXPECT_TRUE (Pixels::isAt (paintBackground (false, false), x, y, juce::Colour (QMVHubLookAndFeel::highlight)));

    EXPECT_TRUE (Pixels::isAt (paintBackground (false, false), 100, 20, focused));
    EXPECT_TRUE (Pixels::isAt (paintBackground (true, false), 100, 20, focused.contrasting (0.1f)));
    EXPECT_TRUE (Pixels::isAt (paintBackground (false, true), 100, 20, focused.contrasting (0.2f)));
    EXPECT_GT (paintBackground (false, true).getPixelAt (100, 20).getPerceivedBrightness(),
               paintBackground (false, false).getPixelAt (100, 20).getPerceivedBrightness());

    window.removeChildComponent (&button);
}

TEST_F (QMVHubLookAndFeelButton, ConnectedEdgesSquareTheirCorners)
{
    const auto fill = idleColour (0.9f, 0.9f);

    button.setConnectedEdges (juce::Button::ConnectedOnLeft);
    auto image = paintBackground (false, false);
    EXPECT_TRUE (Pixels::isAt (image, 1, 1, fill));
    EXPECT_TRUE (Pixels::isAt (image, 1, 38, fill));
    EXPECT_TRUE (Pixels::isAt (image, 198, 1, clear));
    EXPECT_TRUE (Pixels::isAt (image, 198, 38, clear));

    button.setConnectedEdges (juce::Button::ConnectedOnTop);
    image = paintBackground (false, false);
    EXPECT_TRUE (Pixels::isAt (image, 1, 1, fill));
    EXPECT_TRUE (Pixels::isAt (image, 198, 1, fill));
    EXPECT_TRUE (Pixels::isAt (image, 1, 38, clear));

    button.setConnectedEdges (juce::Button::ConnectedOnRight | juce::Button::ConnectedOnBottom);
    image = paintBackground (false, false);
    EXPECT_TRUE (Pixels::isAt (image, 1, 1, clear));
    EXPECT_TRUE (Pixels::isAt (image, 198, 1, fill));
    EXPECT_TRUE (Pixels::isAt (image, 1, 38, fill));
    EXPECT_TRUE (Pixels::isAt (image, 198, 38, fill));
}

TEST_F (QMVHubLookAndFeelButton, OnePixelButtonGetsNoBackground)
{
    for (auto [width, height] : { std::pair { 1, 40 }, { 200, 1 }, { 0, 0 } })
    {
        button.setSize (width, height);
        EXPECT_TRUE (Pixels::isClear (paintBackground (true, true))) << width << " x " << height;
    }
}

TEST_F (QMVHubLookAndFeelButton, FontGrowsWithTheButtonUpToTwentyPixels)
{
    EXPECT_FLOAT_EQ (lookAndFeel.getTextButtonFont (button, 30).getHeight(), 12.0f);
    EXPECT_FLOAT_EQ (lookAndFeel.getTextButtonFont (button, 40).getHeight(), 16.0f);
    EXPECT_FLOAT_EQ (lookAndFeel.getTextButtonFont (button, 50).getHeight(), 20.0f);
    EXPECT_FLOAT_EQ (lookAndFeel.getTextButtonFont (button, 100).getHeight(), 20.0f);
    EXPECT_FALSE (lookAndFeel.getTextButtonFont (button, 40).isBold());
}

//==============================================================================
class QMVHubLookAndFeelEditor : public testing::Test
{
protected:
    juce::Image paintOutline (int width, int height)
    {
        auto image = blankImage (juce::jmax (1, width), juce::jmax (1, height));
        juce::Graphics g (image);
        lookAndFeel.drawTextEditorOutline (g, width, height, editor);
        return image;
    }

    QMVHubLookAndFeel lookAndFeel;
    juce::TextEditor editor;
    Styled styled { editor, lookAndFeel };
};

TEST_F (QMVHubLookAndFeelEditor, DisabledEditorDrawsNothing)
{
    editor.setColour (juce::TextEditor::outlineColourId, juce::Colours::red);
    editor.setEnabled (false);

    EXPECT_TRUE (Pixels::isClear (paintOutline (104, 24)));
    editor.setReadOnly (true);
    EXPECT_TRUE (Pixels::isClear (paintOutline (104, 24)));
}

TEST_F (QMVHubLookAndFeelEditor, ReadOnlyEditorDrawsItsOutlineColour)
{
    editor.setReadOnly (true);
    EXPECT_TRUE (Pixels::isClear (paintOutline (104, 24)));

    editor.setColour (juce::TextEditor::outlineColourId, juce::Colours::red);
    const auto image = paintOutline (104, 24);

    for (auto [x, y] : { std::pair { 0, 12 }, { 103, 12 }, { 52, 0 }, { 52, 23 }, { 0, 0 } })
        EXPECT_TRUE (Pixels::isAt (image, x, y, juce::Colours::red));

    EXPECT_TRUE (Pixels::isAt (image, 1, 12, clear));
    EXPECT_TRUE (Pixels::isAt (image, 52, 12, clear));
}

TEST_F (QMVHubLookAndFeelEditor, EditableEditorGetsARoundedTwoPixelOutline)
{
    const auto image = paintOutline (104, 24);
    const juce::Colour highlight (QMVHubLookAndFeel::highlight);

    // The 2-pixel stroke is centred on the rectangle (2, 2, 100, 20).
    for (auto [x, y] : { std::pair { 1, 12 }, { 2, 12 }, { 101, 12 }, { 102, 12 }, { 52, 1 }, { 52, 2 }, { 52, 21 }, { 52, 22 } })
        EXPECT_TRUE (Pixels::isAt (image, x, y, highlight));

    for (auto [x, y] : { std::pair { 0, 12 }, { 3, 12 }, { 52, 12 }, { 103, 12 }, { 52, 0 }, { 52, 23 } })
        EXPECT_TRUE (Pixels::isAt (image, x, y, clear));

    // Corners of 14 x 20 / 60 pixels are cut off.
    EXPECT_TRUE (Pixels::isAt (image, 1, 1, clear));
    EXPECT_TRUE (Pixels::isAt (image, 102, 22, clear));
}

TEST_F (QMVHubLookAndFeelEditor, TinyEditableEditorGetsNoOutline)
{
    EXPECT_TRUE (Pixels::isClear (paintOutline (4, 24)));
    EXPECT_TRUE (Pixels::isClear (paintOutline (104, 4)));
    EXPECT_TRUE (Pixels::isClear (paintOutline (2, 2)));
}

//==============================================================================
class QMVHubLookAndFeelProgressBar : public testing::Test
{
protected:
    juce::Image paintBar (int width, int height, double progress, const juce::String& text = {})
    {
        auto image = blankImage (juce::jmax (1, width), juce::jmax (1, height));
        juce::Graphics g (image);
        lookAndFeel.drawProgressBar (g, bar, width, height, progress, text);
        return image;
    }

    static juce::Colour stripe()
    {
        return darkFill.overlaidWith (accent.withMultipliedAlpha (0.85f));
    }

    QMVHubLookAndFeel lookAndFeel;
    double value = 0.0;
    juce::ProgressBar bar { value };
    Styled styled { bar, lookAndFeel };
};

TEST_F (QMVHubLookAndFeelProgressBar, NoProgressDrawsOnlyTheBackground)
{
    const auto image = paintBar (202, 20, 0.0);
    EXPECT_EQ (Pixels::countNear (image, image.getBounds(), darkFill, 0), 202 * 20);
}

TEST_F (QMVHubLookAndFeelProgressBar, HalfProgressFillsTheLeftHalfInsideAOnePixelBorder)
{
    const auto image = paintBar (202, 20, 0.5);

    // The flat band over the body's top rounds its lower edge by one step at most.
    EXPECT_EQ (Pixels::countNear (image, { 1, 1, 100, 18 }, accent, 1), 100 * 18);
    EXPECT_EQ (Pixels::countNear (image, image.getBounds(), accent, 1), 100 * 18);
    EXPECT_TRUE (Pixels::isAt (image, 0, 10, darkFill, 0));
    EXPECT_TRUE (Pixels::isAt (image, 101, 10, darkFill, 0));
    EXPECT_TRUE (Pixels::isAt (image, 50, 0, darkFill, 0));
    EXPECT_TRUE (Pixels::isAt (image, 50, 19, darkFill, 0));
}

TEST_F (QMVHubLookAndFeelProgressBar, OutOfRangeProgressDrawsRepeatingStripes)
{
    for (auto progress : { 1.0, 2.0, -0.5, std::numeric_limits<double>::quiet_NaN() })
    {
        const auto image = paintBar (202, 20, progress);
        SCOPED_TRACE (progress);

        // The tile's transparent border keeps the outer rows and columns plain.
        EXPECT_EQ (Pixels::countNear (image, { 0, 0, 202, 1 }, darkFill, 0), 202);
        EXPECT_EQ (Pixels::countNear (image, { 0, 19, 202, 1 }, darkFill, 0), 202);

        // Half of each 40-pixel period is stripe, the rest background, on every inner row.
        for (int y : { 2, 10, 17 })
        {
            const auto stripes = Pixels::countNear (image, { 1, y, 200, 1 }, stripe(), 3);
            const auto gaps = Pixels::countNear (image, { 1, y, 200, 1 }, darkFill, 3);
            EXPECT_NEAR (stripes, 100, 12) << "row " << y;
            EXPECT_NEAR (gaps, 100, 12) << "row " << y;

            for (int x = 1; x < 160; ++x)
                ASSERT_TRUE (Pixels::near (image.getPixelAt (x, y), image.getPixelAt (x + 40, y), 3))
                    << "not periodic at (" << x << ", " << y << ")";
        }

        // The stripes lean, one pixel to the left for each row further down.
        for (int x = 20; x < 180; ++x)
            ASSERT_TRUE (Pixels::near (image.getPixelAt (x, 2), image.getPixelAt (x - 10, 12), 3))
                << "not leaning at x = " << x;
    }
}

TEST_F (QMVHubLookAndFeelProgressBar, StripeOffsetFollowsTheMillisecondCounter)
{
    EXPECT_EQ (QMVHubLookAndFeel::stripeOffset (1500, 20), 20);
    EXPECT_EQ (QMVHubLookAndFeel::stripeOffset (0, 20), 0);
    EXPECT_EQ (QMVHubLookAndFeel::stripeOffset (14, 20), 0);
    EXPECT_EQ (QMVHubLookAndFeel::stripeOffset (15, 20), 1);
    EXPECT_EQ (QMVHubLookAndFeel::stripeOffset (600, 20), 0);
    EXPECT_EQ (QMVHubLookAndFeel::stripeOffset (0xffffffffu, 8), (int) ((0xffffffffu / 15) % 16));
    EXPECT_EQ (QMVHubLookAndFeel::stripeOffset (1500, 0), 0);
}

TEST_F (QMVHubLookAndFeelProgressBar, TextIsCentredInAContrastingColour)
{
    const auto plain = paintBar (202, 20, 0.0);
    const auto textColour = juce::Colour::contrasting (darkFill, accent);

    const auto inkedArea = [&textColour] (const juce::Image& picture)
    {
        juce::Rectangle<int> inked;

        for (int y = 0; y < picture.getHeight(); ++y)
            for (int x = 0; x < picture.getWidth(); ++x)
                if (Pixels::near (picture.getPixelAt (x, y), textColour, 40))
                    inked = inked.isEmpty() ? juce::Rectangle<int> (x, y, 1, 1)
                                            : inked.getUnion ({ x, y, 1, 1 });
        return inked;
    };

    const auto inked = inkedArea (paintBar (202, 20, 0.0, "50%"));
    ASSERT_FALSE (inked.isEmpty());
    EXPECT_NEAR (inked.getCentreX(), 101, 2);
    EXPECT_NEAR (inked.getCentreY(), 10, 2);
    EXPECT_GE (inked.getHeight(), 6);
    EXPECT_GE (inkedArea (paintBar (202, 40, 0.0, "50%")).getHeight(), inked.getHeight() * 2 - 2)
        << "text height follows the bar";
    EXPECT_TRUE (Pixels::near (plain.getPixelAt (inked.getCentreX(), inked.getCentreY()), darkFill, 0));

    EXPECT_EQ (Pixels::countNear (paintBar (202, 20, 0.0, {}), { 0, 0, 202, 20 }, darkFill, 0), 202 * 20);
}

TEST_F (QMVHubLookAndFeelProgressBar, EmptyBarDrawsNothing)
{
    auto image = blankImage (40, 10);
    juce::Graphics g (image);

    for (auto progress : { 2.0, 0.5, 0.0 })
    {
        lookAndFeel.drawProgressBar (g, bar, 40, 0, progress, "text");
        lookAndFeel.drawProgressBar (g, bar, 0, 10, progress, "text");
    }

    EXPECT_TRUE (Pixels::isClear (image));
}

//==============================================================================
class QMVHubLookAndFeelImageButton : public testing::Test
{
protected:
    QMVHubLookAndFeelImageButton()
    {
        // Blue on the left, green on the right, to see which way the image is placed.
        juce::Graphics g (picture);
        g.fillAll (juce::Colours::blue);
        g.setColour (juce::Colours::lime);
        g.fillRect (10, 0, 10, 20);
    }

    juce::Image paintButton (juce::Colour overlay, juce::Rectangle<int> area = { 0, 0, 40, 40 }, float opacity = 1.0f)
    {
        auto image = blankImage (40, 40);
        juce::Graphics g (image);
        lookAndFeel.drawImageButton (g, &picture, area.getX(), area.getY(), area.getWidth(), area.getHeight(),
                                     overlay, opacity, button);
        return image;
    }

    QMVHubLookAndFeel lookAndFeel;
    juce::ImageButton button;
    Styled styled { button, lookAndFeel };
    juce::Image picture { juce::Image::ARGB, 20, 20, true };
};

TEST_F (QMVHubLookAndFeelImageButton, OverlayOpacityChoosesWhatIsDrawn)
{
    const auto red = juce::Colours::red;
    const auto blue = juce::Colours::blue, green = juce::Colours::lime;

    auto image = paintButton (red);
    EXPECT_TRUE (Pixels::isAt (image, 10, 20, red));
    EXPECT_TRUE (Pixels::isAt (image, 30, 20, red));

    image = paintButton (juce::Colours::transparentBlack);
    EXPECT_TRUE (Pixels::isAt (image, 10, 20, blue));
    EXPECT_TRUE (Pixels::isAt (image, 30, 20, green));

    const auto halfRed = red.withAlpha (0.5f);
    image = paintButton (halfRed);
    EXPECT_TRUE (Pixels::isAt (image, 10, 20, blue.overlaidWith (halfRed)));
    EXPECT_TRUE (Pixels::isAt (image, 30, 20, green.overlaidWith (halfRed)));

    image = paintButton (juce::Colours::transparentBlack, { 0, 0, 40, 40 }, 0.5f);
    EXPECT_TRUE (Pixels::isAt (image, 10, 20, blue.withAlpha (0.5f)));
}

TEST_F (QMVHubLookAndFeelImageButton, DisabledButtonDimsTheImageButNotTheOverlay)
{
    button.setEnabled (false);
    const auto dimmedBlue = juce::Colours::blue.withMultipliedAlpha (0.3f);

    EXPECT_TRUE (Pixels::isAt (paintButton (juce::Colours::transparentBlack), 10, 20, dimmedBlue));

    const auto halfRed = juce::Colours::red.withAlpha (0.5f);
    EXPECT_TRUE (Pixels::isAt (paintButton (halfRed), 10, 20, dimmedBlue.overlaidWith (halfRed)));
    EXPECT_TRUE (Pixels::isAt (paintButton (juce::Colours::red), 10, 20, juce::Colours::red));
}

TEST_F (QMVHubLookAndFeelImageButton, ImageIsCutToTheInscribedEllipse)
{
    const auto image = paintButton (juce::Colours::transparentBlack, { 0, 10, 40, 20 });

    EXPECT_TRUE (Pixels::isAt (image, 25, 20, juce::Colours::lime));
    EXPECT_TRUE (Pixels::isAt (image, 1, 20, juce::Colours::blue));
    EXPECT_TRUE (Pixels::isAt (image, 25, 11, juce::Colours::lime));

    for (auto [x, y] : { std::pair { 1, 11 }, { 38, 11 }, { 1, 28 }, { 38, 28 }, { 20, 5 }, { 20, 34 } })
        EXPECT_TRUE (Pixels::isAt (image, x, y, clear));
}

TEST_F (QMVHubLookAndFeelImageButton, AreaBelowTwoPixelsDrawsNothing)
{
    EXPECT_TRUE (Pixels::isClear (paintButton (juce::Colours::red.withAlpha (0.5f), { 5, 5, 1, 30 })));
    EXPECT_TRUE (Pixels::isClear (paintButton (juce::Colours::red.withAlpha (0.5f), { 5, 5, 30, 1 })));
}
