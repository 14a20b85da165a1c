#pragma once

#include <juce_graphics/juce_graphics.h>

/** Where the window's texts break into lines: at spaces, as English does, and
    between Japanese characters, except where Japanese line breaking (kinsoku)
    forbids it. Lines are measured as a text box measures them, so that a box
    shown these lines breaks none of them again. */
namespace LineBreaks
{
    /** The text's lines in the font, none wider than the width where that can be:
        a run that may not be broken and is wider than a line is broken between
        characters. Line feeds in the text stay breaks; the lines joined again give
        the text (a space at a break stays at the end of its line). */
    juce::StringArray wrap (const juce::String& text, const juce::Font& font, float width);

    /** Pieces that may not be broken, laid into lines in order; each line after the
        first begins with the indent. A piece that fits no line is broken between
        characters. */
    juce::StringArray fill (const juce::StringArray& pieces, const juce::Font& font, float width,
                            const juce::String& indent = {});
}
