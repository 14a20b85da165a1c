#include <gtest/gtest.h>

#include "wizard/WrappedText.h"

TEST (WrappedText, ATextThatBringsTheScrollBarIsBrokenAgainForTheNarrowerLines)
{
    // Lines of many short words end near every width: at some widths a line fits
    // beside no scroll bar and not beside one.
    juce::String text;
    for (int i = 0; i < 8; ++i)
        text << "a bc def ghij kl mno p qr stu vwxy z ";

    for (int width = 160; width <= 320; width += 20)
    {
        juce::TextEditor box;
        box.setMultiLine (true, true);
        box.setReadOnly (true);
        box.setFont (juce::FontOptions (14.0f));
        box.setSize (width, 80);

        WrappedText::show (box, text.trimEnd());
        ASSERT_GT (WrappedText::heightNeeded (box), box.getHeight()) << "no scroll bar at " << width;

        // Each line the text holds is one line in the box: the box broke none again.
        const auto lineHeight = box.getTextBounds ({ 0, 1 }).getBounds().getHeight();
        juce::StringArray brokenAgain;
        int start = 0;

        for (auto& line : juce::StringArray::fromLines (box.getText()))
        {
            if (box.getTextBounds ({ start, start + line.length() }).getBounds().getHeight() != lineHeight)
                brokenAgain.add (line);

            start += line.length() + 1;
        }

        EXPECT_TRUE (brokenAgain.isEmpty()) << "at " << width << ": " << brokenAgain.joinIntoString (" | ");
    }
}
