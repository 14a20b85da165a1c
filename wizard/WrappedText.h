#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Shows a text in a text box broken where LineBreaks allows, for the width that
    the box gives a line; the box itself would break Japanese anywhere, and after hyphens. */
namespace WrappedText
{
    /** The width in which the box lays out a line, with room kept for the scroll
        bar that a longer text would bring. */
    float lineWidthBesideScrollBar (const juce::TextEditor& box);

    /** Sets the box's text to the text's lines in the box's font, each ended by a
        line feed, then the lines below; broken again if the scroll bar came or went
        meanwhile. */
    void show (juce::TextEditor& box, const juce::String& text, const juce::StringArray& linesBelow = {});

    /** The height at which the box shows all its text without a scroll bar. */
    int heightNeeded (const juce::TextEditor& box);
}
