#include <gtest/gtest.h>

#include "support/Pixels.h"
#include "wizard/ShadowComponent.h"

TEST (ShadowComponent, DimsAllThatLiesBeneathItWithoutHidingOrTintingIt)
{
    ShadowComponent shadow;
    shadow.setBounds (0, 0, 10, 10);

    // Over a white page, as the outgoing page would lie beneath it.
    juce::Image image (juce::Image::ARGB, 10, 10, true);
    juce::Graphics g (image);
    g.fillAll (juce::Colours::white);
    shadow.paint (g);

    const auto seen = image.getPixelAt (5, 5);
    EXPECT_EQ (Pixels::countNear (image, image.getBounds(), seen, 0), 100) << "the whole area alike";
    EXPECT_TRUE (seen.getRed() == seen.getGreen() && seen.getGreen() == seen.getBlue()) << seen.toDisplayString (true);
    EXPECT_GT (seen.getBrightness(), 0.05f) << "the page beneath still shows";
    EXPECT_LT (seen.getBrightness(), 0.5f) << "dimmed by more than half";
}
