#pragma once

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

/** Pixel checks on rendered images. Premultiplied storage rounds each channel, so
    colours are compared with a small tolerance. */
namespace Pixels
{
    inline bool near (juce::Colour actual, juce::Colour expected, int tolerance = 2)
    {
        auto close = [tolerance] (int a, int b) { return std::abs (a - b) <= tolerance; };

        // Below an alpha of a few steps the colour channels mean nothing.
        if (expected.getAlpha() <= tolerance)
            return close (actual.getAlpha(), expected.getAlpha());

        return close (actual.getAlpha(), expected.getAlpha())
            && close (actual.getRed(), expected.getRed())
            && close (actual.getGreen(), expected.getGreen())
            && close (actual.getBlue(), expected.getBlue());
    }

    inline testing::AssertionResult isAt (const juce::Image& image, int x, int y, juce::Colour expected,
                                          int tolerance = 2)
    {
        const auto actual = image.getPixelAt (x, y);

        if (near (actual, expected, tolerance))
            return testing::AssertionSuccess();

        return testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is 0x"
                                           << actual.toDisplayString (true) << ", expected 0x"
                                           << expected.toDisplayString (true);
    }

    inline bool isClear (const juce::Image& image)
    {
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                if (image.getPixelAt (x, y).getAlpha() != 0)
                    return false;

        return true;
    }

    inline int countNear (const juce::Image& image, juce::Rectangle<int> area, juce::Colour expected,
                          int tolerance = 2)
    {
        int count = 0;

        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                if (near (image.getPixelAt (x, y), expected, tolerance))
                    ++count;

        return count;
    }

    /** Writes the image as a PNG to the folder of test artefacts, for a person to look at. */
    inline void saveArtefact (const juce::Image& image, const juce::String& name)
    {
        auto folder = juce::SystemStats::getEnvironmentVariable ("UNINSTALLER_TEST_ARTIFACTS", {});

        if (folder.isEmpty())
            folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getFullPathName();

        auto file = juce::File (folder).getChildFile (name + ".png");
        file.getParentDirectory().createDirectory();
        file.deleteFile();

        juce::FileOutputStream stream (file);
        juce::PNGImageFormat().writeImageToStream (image, stream);
    }
}
