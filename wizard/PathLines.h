#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Breaks file paths into lines that fit a width, so that a path is read whole
    instead of being cut at a text box's edge. */
namespace PathLines
{
    /** What begins every line after a path's first. */
    constexpr const char* continuationIndent = "  ";

    /** The path's lines in the font, none wider than the width: broken after a "/"
        where one fits, otherwise between characters. */
    juce::StringArray wrap (const juce::String& path, const juce::Font& font, float width);

    /** The path's lines in a font, or else the text box's own, fitting the box's width
        with room for the scroll bar that a long text brings: the box itself wraps
        only at spaces. */
    juce::StringArray wrapToFit (const juce::String& path, juce::TextEditor& box);
    juce::StringArray wrapToFit (const juce::String& path, juce::TextEditor& box, const juce::Font& font);
}
